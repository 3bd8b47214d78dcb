#pragma once

#include "platform/Dialogs.h"
#include "platform/widgets/CaptionThrottle.h"

// Dialogs that flush a caption before every box, so each box sees the exact
// caption of the record being examined.
class CaptionFlushingDialogs : public Dialogs {
 public:
  CaptionFlushingDialogs(Dialogs& inner, CaptionThrottle& caption) : m_inner(inner), m_caption(caption) {}
  Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon, Answer defaultButton) override {
    m_caption.flush();
    return m_inner.message(text, title, buttons, icon, defaultButton);
  }
  QString input(const QString& prompt, const QString& title) override {
    m_caption.flush();
    return m_inner.input(prompt, title);
  }
  SaveChoice saveFile(const QString& title, const QString& suggested, const QStringList& filters,
                      const SaveOption& option = {}) override {
    m_caption.flush();
    return m_inner.saveFile(title, suggested, filters, option);
  }
  QString openFile(const QString& title, const QString& folder, const QStringList& filters) override {
    m_caption.flush();
    return m_inner.openFile(title, folder, filters);
  }
  std::optional<ColumnChoice> chooseColumns(const ColumnsQuestion& question, const QString& title) override {
    m_caption.flush();
    return m_inner.chooseColumns(question, title);
  }
  std::unique_ptr<Progress> progress(const QString& text, const QString& title) override {
    m_caption.flush();
    return m_inner.progress(text, title);
  }
  void beep() override { m_inner.beep(); }

 private:
  Dialogs& m_inner;
  CaptionThrottle& m_caption;
};
