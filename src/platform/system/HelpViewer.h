#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "platform/HelpEngine.h"

class QTextBrowser;
class QUrl;

// One topic of a help file: an id that links name, a title and paragraphs
// whose lines are kept as written.
struct HelpTopic {
  QString id;
  QString title;
  QStringList paragraphs;
};

// A help file in our own text format (UTF-8):
//   @topic ID Title      starts a topic; the first topic is the contents
//   [[ID|text]]          a link to another topic; [[ID]] shows its title
//   a blank line         ends a paragraph; lines within one stay lines
// Lines before the first topic are notes for the file's authors and are not
// shown.
class HelpDocument {
 public:
  static HelpDocument parse(const QString& text);

  const QList<HelpTopic>& topics() const { return m_topics; }
  // Null when no topic has this id.
  const HelpTopic* topic(const QString& id) const;
  // The ids every link of the document names, in order of appearance.
  QStringList linkTargets() const;
  // The topic as HTML; a link to a missing topic shows as plain text. Every
  // topic but the contents ends with a link back to the contents.
  QString html(const HelpTopic& topic) const;

 private:
  QString inlineHtml(const QString& text) const;

  QList<HelpTopic> m_topics;
};

// Our own help engine: finds the help file, reads it and shows its contents
// topic in one non-modal window, brought forward when asked again. When the
// file is missing or unreadable that window says so and nothing else happens.
class HelpViewerEngine : public HelpEngine {
 public:
  static constexpr const char* kWindowName = "helpViewer";

  // Looks in the working directory, then beside the executable.
  HelpViewerEngine();
  // Looks in these directories, in order.
  explicit HelpViewerEngine(const QStringList& searchDirs);
  ~HelpViewerEngine() override;

  // Only the contents command is understood; other commands are ignored.
  void showHelp(const QString& helpFile, int command) override;

  // Null until help is first shown.
  QTextBrowser* window() const;
  const HelpDocument& document() const { return m_document; }

 private:
  QStringList searchDirs() const;
  void showTopic(const QString& id);
  void showProblem(const QString& text);
  void followLink(const QUrl& url);
  void bringForward();

  QStringList m_searchDirs;
  HelpDocument m_document;
  QPointer<QTextBrowser> m_window;
};
