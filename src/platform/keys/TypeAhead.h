#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArrayList>
#include <QObject>
#include <QPointer>

class QWidget;

// Keys typed while a box is opening. Under X11 the server keeps sending
// them to the window beneath until the box has the focus, and Qt drops
// them there, since the box blocks that window: a barcode scanner set to
// send F4 before the code would lose its first digits. From the box's
// showing until it closes, those keys are held and sent on to the box once
// it is active, and the keys after them too, so that the order stays as
// typed. Elsewhere (Windows gives keys to the window that has the focus
// when they are read) it does nothing.
class TypeAhead : public QObject, public QAbstractNativeEventFilter {
 public:
  explicit TypeAhead(QWidget& box);
  ~TypeAhead() override;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void sendHeld();

  QPointer<QWidget> m_box;
  QByteArrayList m_held;
  bool m_active = false;
  bool m_reordering = false;  // keys were held: every later one goes the same way
};
