; Example installer: installs over the folder where FerroMarquee was last installed, as
; NorvSetupHelper finds it in the registry, and into the default folder otherwise.
; makensis -DPLUGIN_DIR=<folder holding NorvSetupHelper.dll> -DOUTFILE=<setup.exe> this script

!ifndef PLUGIN_DIR | OUTFILE
  !error "define PLUGIN_DIR and OUTFILE"
!endif

Unicode false
!addplugindir /x86-ansi "${PLUGIN_DIR}"

Name "FerroMarquee"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\NorvAutomation\FerroMarquee"
RequestExecutionLevel admin

Page directory
Page instfiles

Function .onInit
  Push "FerroMarquee.exe"
  NorvSetupHelper::GetLastInstalledPath
  StrCmp $0 "" notInstalled
    StrCpy $INSTDIR $0
  notInstalled:
FunctionEnd

Section "FerroMarquee"
  SetOutPath "$INSTDIR"
  DetailPrint "Installing into $INSTDIR"
SectionEnd
