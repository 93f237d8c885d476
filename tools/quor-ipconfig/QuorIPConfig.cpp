// QuorIPConfig, the stand-in IP configuration tool: the least program that meets the interface
// FerroMarquee expects of the real one (see src/addressbook/IPConfigChannel.h). A window with a
// title, an address field and "Use This Address", which puts the address on the clipboard and
// tells the open IP address dialog. The program starts it with the arguments "1" and its
// application name; it restores and activates its window or closes when asked.
//
// Usage: QuorIPConfig [mode [application name]]

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "addressbook/IPConfigChannel.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList arguments = app.arguments();
  const QString caller = arguments.size() > 2 ? arguments[2] : QString();

  QWidget window;
  window.setWindowTitle(caller.isEmpty() ? QStringLiteral("Quor IP Config")
                                         : QStringLiteral("Quor IP Config - %1").arg(caller));
  auto* label = new QLabel(QStringLiteral("Marquee &address:"), &window);
  auto* address = new QLineEdit(QStringLiteral("192.168.0.10"), &window);
  label->setBuddy(address);
  auto* use = new QPushButton(QStringLiteral("&Use This Address"), &window);
  use->setDefault(true);
  auto* status = new QLabel(&window);
  auto* row = new QHBoxLayout;
  row->addWidget(label);
  row->addWidget(address, 1);
  row->addWidget(use);
  auto* layout = new QVBoxLayout(&window);
  layout->addLayout(row);
  layout->addWidget(status);

  QObject::connect(use, &QPushButton::clicked, &window, [&] {
    const QString text = address->text().trimmed();
    QGuiApplication::clipboard()->setText(text);
    // The notification carries the text too, for systems whose clipboard is not shared.
    const bool taken = SendLine(HandBackSocketName(), text.toLatin1());
    status->setText(taken ? QStringLiteral("%1 handed back.").arg(text)
                          : QStringLiteral("No IP address dialog is open; %1 is on the clipboard.").arg(text));
  });
  QObject::connect(address, &QLineEdit::returnPressed, use, &QPushButton::click);

  CLineServer control;
  QObject::connect(&control, &CLineServer::lineReceived, &window, [&](const QByteArray& request) {
    if (request == kRaiseRequest) {
      window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
      window.show();
      window.raise();
      window.activateWindow();
    } else if (request == kCloseRequest) {
      window.close();
    } else if (request.startsWith(kSelectRequest)) {
      address->setText(QString::fromLatin1(request.mid(qsizetype(qstrlen(kSelectRequest)))));
      use->click();
    }
  });
  control.Listen(ToolControlSocketName(QCoreApplication::applicationPid()));

  window.show();
  return app.exec();
}
