#pragma once

#include <QDialog>

class QLabel;

// The about box: the program icon, the brand's version, company, phone, web and copyright
// lines, and "OK". Needs theApp().
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);

 private:
  // The lines, by the object names "version", "company", "phone", "web" and "copyright".
  QLabel* m_pVersion;
  QLabel* m_pCompany;
  QLabel* m_pPhone;
  QLabel* m_pWeb;
  QLabel* m_pCopyright;
};
