// Build tool: makes a PDF manual from the project's documentation, so no typesetting system is
// needed. Markdown (.md) and HTML (.htm, .html) sources are laid out one after another, each from a
// new page (a help page is HTML too), on US Letter pages with page numbers. With --html the same
// document is also written as one HTML page, for the help window when no PDF viewer is at hand.
//
//   zarvic_make_manual [--html OUTPUT.htm] OUTPUT.pdf "Title" SOURCE...

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>
#include <cstring>

namespace {

bool ReadText(const QString& path, QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  text = QString::fromUtf8(file.readAll());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QString htmlOutput;
  if (argc > 2 && std::strcmp(argv[1], "--html") == 0) {
    htmlOutput = QString::fromLocal8Bit(argv[2]);
    argv[2] = argv[0];  // the rest reads as if the option were not there
    argv += 2;
    argc -= 2;
  }
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s [--html OUTPUT.htm] OUTPUT.pdf TITLE SOURCE...\n", argv[0]);
    return 2;
  }
  // Runs during the build, where there is no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const QString output = QString::fromLocal8Bit(argv[1]);
  const QString title = QString::fromLocal8Bit(argv[2]);

  QTextDocument document;
  QFont font = document.defaultFont();
  font.setPointSizeF(10.5);
  document.setDefaultFont(font);
  document.setDefaultStyleSheet(QStringLiteral(
      "h1 { font-size: 20pt; color: #1f3a5f; } h2 { font-size: 14pt; color: #1f3a5f; }"
      " h3 { font-size: 11.5pt; } code, pre, tt { font-family: monospace; }"
      " table { border-collapse: collapse; } th { background: #e8edf3; } td, th { padding: 3px; }"));
  document.setMetaInformation(QTextDocument::DocumentTitle, title);
  QTextCursor cursor(&document);

  for (int i = 3; i < argc; ++i) {
    const QString path = QString::fromLocal8Bit(argv[i]);
    QString text;
    if (!ReadText(path, text)) {
      std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[i]);
      return 1;
    }
    if (i > 3) {
      QTextBlockFormat pageBreak;
      pageBreak.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      cursor.insertBlock(pageBreak);
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("md")) {
      cursor.insertMarkdown(text);
    } else {
      // A help page's links to the help's contents and index mean nothing on paper.
      text.remove(QRegularExpression(QStringLiteral("<p class=\"nav\">.*?</p>"),
                                     QRegularExpression::DotMatchesEverythingOption));
      cursor.insertHtml(text);
    }
  }

  if (!htmlOutput.isEmpty()) {
    QFile html(htmlOutput);
    if (!html.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        html.write(document.toHtml().toUtf8()) < 0 || !html.flush()) {
      std::fprintf(stderr, "%s: could not write %s\n", argv[0], qPrintable(htmlOutput));
      return 1;
    }
  }

  QPdfWriter writer(output);
  writer.setTitle(title);
  writer.setCreator(QStringLiteral("Zarvic " ZARVIC_VERSION));
  writer.setResolution(300);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                   QMarginsF(0.8, 0.7, 0.8, 0.7), QPageLayout::Inch));
  document.print(&writer);
  if (!QFileInfo(output).isFile() || QFileInfo(output).size() == 0) {
    std::fprintf(stderr, "%s: could not write %s\n", argv[0], argv[1]);
    return 1;
  }
  return 0;
}
