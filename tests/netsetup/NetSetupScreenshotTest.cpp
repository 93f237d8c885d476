#include <QAbstractButton>

#include "controls/CheckableGroupBox.h"
#include "gui/MainWindowFixture.h"
#include "gui/Screenshot.h"
#include "netsetup/MarqueeComSetupDlg.h"

namespace {

using NetSetupScreenshots = MainWindowTest;

// The network setup page with each pane, for a look at the layout (the Ethernet pane with all
// of its parts shown and checked).
TEST_F(NetSetupScreenshots, ThePageWithEachPane) {
  tabs()->SelectPage(2);
  auto* page = qobject_cast<CMarqueeComSetupDlg*>(tabs()->Page(2));
  ASSERT_NE(page, nullptr);
  auto click = [page](const QString& caption) {
    for (auto* button : page->findChildren<QAbstractButton*>())
      if (button->text() == caption) return button->click();
    ADD_FAILURE() << caption.toStdString();
  };
  const std::pair<const char*, const char*> panes[] = {{"DeviceNet", "devicenet"},
                                                       {"Profibus - DP", "profibus"},
                                                       {"Modbus RTU", "modbus_rtu"},
                                                       {"Ethernet", "ethernet"}};
  for (const auto& [radio, name] : panes) {
    click(radio);
    EXPECT_TRUE(SaveScreenshot(window.get(), QString("page_marquee_communication_%1").arg(name)));
  }
  click("Ethernet/IP Slave");
  for (auto* box : page->findChildren<CCheckableGroupBox*>()) box->SetCheck(1);
  click("Generate String");
  EXPECT_TRUE(SaveScreenshot(window.get(), "page_marquee_communication_ethernet_ip"));
  click("Modbus TCP/IP Slave");
  EXPECT_TRUE(SaveScreenshot(window.get(), "page_marquee_communication_modbus_tcp"));
}

}  // namespace
