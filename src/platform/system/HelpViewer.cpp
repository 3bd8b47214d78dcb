#include "platform/system/HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

const QString kTopicScheme = u"topic"_s;

// "[[id|text]]" or "[[id]]".
const QRegularExpression& linkPattern() {
  static const QRegularExpression pattern(u"\\[\\[([^\\]|]+)(?:\\|([^\\]]*))?\\]\\]"_s);
  return pattern;
}

}  // namespace

HelpDocument HelpDocument::parse(const QString& text) {
  HelpDocument doc;
  QStringList paragraph;
  auto endParagraph = [&] {
    if (!paragraph.isEmpty() && !doc.m_topics.isEmpty()) doc.m_topics.last().paragraphs.append(paragraph.join(u'\n'));
    paragraph.clear();
  };

  QString body = text;
  if (body.startsWith(QChar(0xFEFF))) body.remove(0, 1);
  for (QString line : body.split(u'\n')) {
    if (line.endsWith(u'\r')) line.chop(1);
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(u"@topic "_s)) {
      const QString rest = trimmed.mid(7).trimmed();
      const qsizetype space = rest.indexOf(u' ');
      endParagraph();
      HelpTopic topic;
      topic.id = space < 0 ? rest : rest.left(space);
      topic.title = space < 0 ? rest : rest.mid(space + 1).trimmed();
      doc.m_topics.append(topic);
    } else if (trimmed.isEmpty()) {
      endParagraph();
    } else {
      paragraph.append(line);
    }
  }
  endParagraph();
  return doc;
}

const HelpTopic* HelpDocument::topic(const QString& id) const {
  for (const HelpTopic& t : m_topics)
    if (t.id == id) return &t;
  return nullptr;
}

QStringList HelpDocument::linkTargets() const {
  QStringList targets;
  for (const HelpTopic& t : m_topics)
    for (const QString& p : t.paragraphs)
      for (auto it = linkPattern().globalMatch(p); it.hasNext();) targets.append(it.next().captured(1).trimmed());
  return targets;
}

QString HelpDocument::inlineHtml(const QString& text) const {
  QString html;
  qsizetype done = 0;
  for (auto it = linkPattern().globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    html += text.mid(done, m.capturedStart() - done).toHtmlEscaped();
    const QString id = m.captured(1).trimmed();
    const HelpTopic* target = topic(id);
    QString label = m.captured(2);
    if (!m.hasCaptured(2)) label = target ? target->title : id;
    if (target)
      html += u"<a href=\"%1:%2\">%3</a>"_s.arg(kTopicScheme, QString::fromLatin1(QUrl::toPercentEncoding(id)),
                                                label.toHtmlEscaped());
    else
      html += label.toHtmlEscaped();
    done = m.capturedEnd();
  }
  return html + text.mid(done).toHtmlEscaped();
}

QString HelpDocument::html(const HelpTopic& topic) const {
  QString html = u"<h2>%1</h2>"_s.arg(topic.title.toHtmlEscaped());
  for (const QString& p : topic.paragraphs) {
    QStringList lines;
    for (const QString& line : p.split(u'\n')) lines.append(inlineHtml(line));
    // Leading blanks line key lists up; keep them.
    html += u"<p style=\"white-space: pre-wrap\">%1</p>"_s.arg(lines.join(u"<br>"_s));
  }
  // The window keeps no history, so every other topic leads back to the contents.
  const HelpTopic& contents = m_topics.first();
  if (topic.id != contents.id) html += u"<p>%1</p>"_s.arg(inlineHtml(u"[["_s + contents.id + u"]]"_s));
  return html;
}

HelpViewerEngine::HelpViewerEngine() = default;

HelpViewerEngine::HelpViewerEngine(const QStringList& searchDirs) : m_searchDirs(searchDirs) {}

HelpViewerEngine::~HelpViewerEngine() { delete m_window.data(); }

QTextBrowser* HelpViewerEngine::window() const { return m_window; }

QStringList HelpViewerEngine::searchDirs() const {
  if (!m_searchDirs.isEmpty()) return m_searchDirs;
  QStringList dirs{QDir::currentPath()};
  // Started from its own folder, the program names that folder once.
  const QString programDir = QCoreApplication::applicationDirPath();
  if (QDir(programDir) != QDir(dirs.first())) dirs.append(programDir);
  return dirs;
}

void HelpViewerEngine::showHelp(const QString& helpFile, int command) {
  if (command != kContents) return;

  QString path;
  for (const QString& dir : searchDirs()) {
    const QFileInfo candidate(QDir(dir), helpFile);
    if (candidate.isFile()) {
      path = candidate.absoluteFilePath();
      break;
    }
  }
  if (path.isEmpty()) {
    m_document = HelpDocument();
    showProblem(u"Το αρχείο βοήθειας «%1» δεν βρέθηκε.\nΑναζητήθηκε στους φακέλους:\n%2"_s.arg(
        helpFile, searchDirs().join(u'\n')));
    return;
  }

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    m_document = HelpDocument();
    showProblem(u"Το αρχείο βοήθειας «%1» δεν μπορεί να διαβαστεί.\n%2"_s.arg(helpFile, path));
    return;
  }
  m_document = HelpDocument::parse(QString::fromUtf8(file.readAll()));
  if (m_document.topics().isEmpty()) {
    showProblem(u"Το αρχείο βοήθειας «%1» δεν περιέχει θέματα.\n%2"_s.arg(helpFile, path));
    return;
  }
  showTopic(m_document.topics().first().id);
}

void HelpViewerEngine::bringForward() {
  if (!m_window) {
    m_window = new QTextBrowser;
    m_window->setObjectName(QString::fromLatin1(kWindowName));
    m_window->setOpenLinks(false);
    // Like a help program of its own, the window does not keep the program
    // running once the program's own windows are closed.
    m_window->setAttribute(Qt::WA_QuitOnClose, false);
    m_window->resize(600, 500);
    QObject::connect(m_window, &QTextBrowser::anchorClicked, m_window, [this](const QUrl& url) { followLink(url); });
  }
  m_window->show();
  m_window->raise();
  m_window->activateWindow();
}

void HelpViewerEngine::showTopic(const QString& id) {
  const HelpTopic* topic = m_document.topic(id);
  if (!topic) return;
  bringForward();
  m_window->setWindowTitle(u"Βοήθεια - "_s + topic->title);
  m_window->setHtml(m_document.html(*topic));
}

void HelpViewerEngine::showProblem(const QString& text) {
  bringForward();
  m_window->setWindowTitle(u"Βοήθεια"_s);
  m_window->setPlainText(text);
}

void HelpViewerEngine::followLink(const QUrl& url) {
  if (url.scheme() == kTopicScheme) showTopic(url.path());
}
