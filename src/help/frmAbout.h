#pragma once

#include <QDialog>

#include "editions/Edition.h"
#include "platform/Platform.h"

class QLabel;
class QPushButton;

// The About box: product, edition, version, description, rights and contact
// lines, and a button that starts the system-information program. Non-modal;
// Enter and Esc both press OK.
class frmAbout : public QDialog {
  Q_OBJECT

 public:
  frmAbout(Platform platform, const Edition& edition, QWidget* parent = nullptr);

  void Form_Load();
  void cmdOK_Click();
  void cmdSysInfo_Click();

  // Starts the system-information program, or tells the user it is unavailable.
  void StartSysInfo();
  // Reads one registry value into `value`. A string becomes the value; a
  // 32-bit number becomes "&h" and its bytes in hexadecimal, most significant
  // first; any other type leaves `value` as it was. True when the value was
  // read; on failure `value` is emptied. The key is closed on every path.
  bool GetKeyValue(Registry::Key root, const QString& keyName, const QString& valueName, QString& value);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Platform m_platform;
  Edition m_edition;
  QLabel* m_lblTitle = nullptr;
  QLabel* m_lblVersion = nullptr;
  QLabel* m_lblDescription = nullptr;
  QLabel* m_lblDisclaimer = nullptr;
  QPushButton* m_cmdOK = nullptr;
};
