// The album list dialog.
#include "dialogs/frmList.h"

#include "document/Prompts.h"
#include "core/frmMain.h"
#include "dialogs/AlbumList.h"

#include <QCoreApplication>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(frmList)
};
} // namespace
namespace {

const char* const kTitle = QT_TRANSLATE_NOOP("frmList", "アルバムリスト");

struct Column
{
    const char* header;
    double divisor; // the column takes the list's width divided by this
    Qt::Alignment alignment;
};

const Column kColumns[] = {
    {" No.", 12.5, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("frmList", " アルバム名"), 5, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("frmList", " コメント"), 4.5, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("frmList", "種類"), 9.5, Qt::AlignHCenter},
    {QT_TRANSLATE_NOOP("frmList", "サイズ "), 6.5, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("frmList", " 作成日時"), 3.5, Qt::AlignLeft},
};

// The report's fixed-pitch Japanese face, so the text's columns line up.
QFont listFont()
{
    for (const char* family : {"IPAGothic", "Noto Sans Mono CJK JP", "VL Gothic"}) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            QFont f(QString::fromLatin1(family));
            f.setStyleHint(QFont::Monospace);
            return f;
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

bool fileExistsOnDisk(const QString& path)
{
    return QFileInfo::exists(path);
}

} // namespace

bool saveAlbumListText(const QString& text, const QString& folder)
{
    FileRequest request;
    request.title = Tr::tr("アルバムリストの保存");
    request.folder = folder;
    request.filter = Tr::tr("テキストファイル (*.txt);;すべてのファイル (*)");
    request.defaultSuffix = QStringLiteral("txt");
    const QString path = prompts().saveFile(request);
    if (path.isEmpty())
        return false;
    QString error;
    if (!writeAlbumListFile(path, text, &error)) {
        prompts().warn(Tr::tr("ファイルに書き込めませんでした。") + QStringLiteral("\r\n") +
                           QDir::toNativeSeparators(path) + QStringLiteral("\r\n") + error,
                       Tr::tr(kTitle));
        return false;
    }
    return true;
}

frmList::frmList(frmMain& main) : QDialog(&main), m_main(main)
{
    setObjectName(QStringLiteral("frmList"));
    setWindowTitle(Tr::tr(kTitle));
    setModal(false);
    resize(760, 520);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstView"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Every column, the last one too, takes its share of the list's width.
    m_list->header()->setStretchLastSection(false);
    m_list->viewport()->installEventFilter(this);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtBox"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(listFont());

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_list);
    splitter->addWidget(m_text);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    auto* buttons = new QDialogButtonBox(this);
    auto* save = buttons->addButton(Tr::tr("ﾌｧｲﾙに保存"), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("btnFileSave"));
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    connect(save, &QPushButton::clicked, this, [this] { btnFileSave_Click(); });
    connect(ok, &QPushButton::clicked, this, [this] { btnOK_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);

    Form_Load();
}

void frmList::Form_Load()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const AlbumDocument& doc = m_main.document();

    m_list->clear();
    m_list->setColumnCount(int(std::size(kColumns)));
    QStringList headers;
    for (const Column& c : kColumns)
        headers << Tr::tr(c.header);
    m_list->setHeaderLabels(headers);
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        m_list->headerItem()->setTextAlignment(i, kColumns[i].alignment | Qt::AlignVCenter);
    setColumnWidths();

    const QList<AlbumListRow> rows =
        albumListRows(doc.entries(), doc.albumFolder(), fileExistsOnDisk);
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const AlbumListRow& r : rows) {
        auto* item = new QTreeWidgetItem(QStringList{r.number, r.albumName, r.comment, r.type,
                                                     r.size + QStringLiteral("KB"), r.date});
        for (int i = 0; i < int(std::size(kColumns)); ++i)
            item->setTextAlignment(i, kColumns[i].alignment | Qt::AlignVCenter);
        items.append(item);
    }
    m_list->addTopLevelItems(items);

    // The text only describes a grid that is shown.
    m_report = m_main.isGridShown() ? albumListText(rows) : QString();
    QString shown = m_report;
    m_text->setPlainText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QApplication::restoreOverrideCursor();
}

void frmList::setColumnWidths()
{
    const int width = m_list->viewport()->width();
    for (int i = 0; i < int(std::size(kColumns)); ++i)
        m_list->setColumnWidth(i, int(width / kColumns[i].divisor));
}

bool frmList::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::Resize)
        setColumnWidths();
    return QDialog::eventFilter(watched, event);
}

void frmList::btnFileSave_Click()
{
    saveAlbumListText(m_report, m_main.document().albumFolder());
    m_main.update();
}

void frmList::btnOK_Click()
{
    unload();
    m_main.activateWindow();
}

void frmList::reject()
{
    if (!m_unloading)
        btnOK_Click();
}

void frmList::unload()
{
    m_unloading = true;
    hide();
    deleteLater();
}

} // namespace quorbell
