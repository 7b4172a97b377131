// The settings dialog.
#include "dialogs/frmCondition.h"

#include "core/CommandState.h"
#include "core/Cp932.h"
#include "core/MainWindowHandlers.h"
#include "document/Prompts.h"
#include "core/SettingsFile.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"

#include <QCoreApplication>

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(frmCondition)
};
} // namespace
namespace {

const char* const kTitle = QT_TRANSLATE_NOOP("frmCondition", "環境設定");

// The file chooser's filter: one pattern per picture kind, then all three.
const char* const kCoverFilter = QT_TRANSLATE_NOOP(
    "frmCondition",
    "ビットマップ (*.bmp);;ＪＰＥＧ (*.jpg);;ＧＩＦ (*.gif);;すべてのファイル (*.bmp *.jpg *.gif)");

QIcon swatch(const QColor& colour)
{
    QPixmap pm(32, 16);
    pm.fill(colour);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
    return QIcon(pm);
}

} // namespace

frmCondition::frmCondition(frmMain& main) : QDialog(&main), m_main(main)
{
    setObjectName(QStringLiteral("frmCondition"));
    setWindowTitle(Tr::tr(kTitle));
    setModal(false);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab"));

    // Tab 1: start-up comment, selection colour, new thumbnail size, password.
    {
        auto* page = new QWidget;
        auto* grid = new QGridLayout(page);
        grid->addWidget(addGroup(Tr::tr("開始時コメント"), QStringLiteral("optComment"),
                                 {Tr::tr("なし"), Tr::tr("あり")}),
                        0, 0);
        auto* colourBox = new QGroupBox(Tr::tr("選択枠カラー"));
        auto* colourLayout = new QHBoxLayout(colourBox);
        m_btnSelColor = new QPushButton(Tr::tr("カラーの選択..."), colourBox);
        m_btnSelColor->setObjectName(QStringLiteral("btnSelColor"));
        colourLayout->addWidget(m_btnSelColor);
        grid->addWidget(colourBox, 1, 0);
        grid->addWidget(addGroup(Tr::tr("パスワード"), QStringLiteral("optPassword"),
                                 {Tr::tr("無効"), Tr::tr("有効")}),
                        2, 0);
        grid->addWidget(addGroup(Tr::tr("新規作成サムネイルサイズ"), QStringLiteral("optThumbSize"),
                                 {Tr::tr("  60 x 60 ﾋﾟｸｾﾙ"), Tr::tr("  70 x 70 ﾋﾟｸｾﾙ"),
                                  Tr::tr("  80 x 80 ﾋﾟｸｾﾙ"), Tr::tr("  90 x 90 ﾋﾟｸｾﾙ"),
                                  Tr::tr(" 100 x 100 ﾋﾟｸｾﾙ"), Tr::tr(" 110 x 110 ﾋﾟｸｾﾙ"),
                                  Tr::tr(" 120 x 120 ﾋﾟｸｾﾙ")}),
                        0, 1, 3, 1);
        m_tabs->addTab(page, Tr::tr("基本設定"));
    }

    // Tab 2: cover on or off, cover at start, the cover picture file.
    {
        auto* page = new QWidget;
        auto* grid = new QGridLayout(page);
        grid->addWidget(addGroup(Tr::tr("カバー"), QStringLiteral("optCover"),
                                 {Tr::tr("無効"), Tr::tr("有効")}),
                        0, 0);
        grid->addWidget(addGroup(Tr::tr("開始時カバー"), QStringLiteral("optCover1st"),
                                 {Tr::tr("なし"), Tr::tr("あり")}),
                        0, 1);
        auto* label = new QLabel(Tr::tr("カバー画像フォルダ/ファイル名"), page);
        label->setObjectName(QStringLiteral("lblFileName"));
        grid->addWidget(label, 1, 0, 1, 2);
        auto* fileRow = new QHBoxLayout;
        m_txtFileName = new QLineEdit(page);
        m_txtFileName->setObjectName(QStringLiteral("txtFileName"));
        m_txtFileName->setMinimumWidth(320);
        auto* select = new QPushButton(Tr::tr("参照..."), page);
        select->setObjectName(QStringLiteral("btnFileSelect"));
        fileRow->addWidget(m_txtFileName, 1);
        fileRow->addWidget(select);
        grid->addLayout(fileRow, 2, 0, 1, 2);
        grid->setRowStretch(3, 1);
        connect(select, &QPushButton::clicked, this, [this] { btnFileSelect_Click(); });
        m_tabs->addTab(page, Tr::tr("カバー設定"));
    }

    // Tab 3: slideshow advance, interval, repeat, photo names.
    {
        auto* page = new QWidget;
        auto* grid = new QGridLayout(page);
        grid->addWidget(addGroup(Tr::tr("表示切替"), QStringLiteral("optDispAuto"),
                                 {Tr::tr("手動"), Tr::tr("自動")}),
                        0, 0);
        grid->addWidget(addGroup(Tr::tr("表示間隔（目安）"), QStringLiteral("optInterval"),
                                 {Tr::tr("1秒"), Tr::tr("2秒"), Tr::tr("3秒"), Tr::tr("4秒"),
                                  Tr::tr("5秒"), Tr::tr("6秒")},
                                 3),
                        0, 1);
        grid->addWidget(addGroup(Tr::tr("表示回数"), QStringLiteral("optDispCont"),
                                 {Tr::tr("一回"), Tr::tr("無限")}),
                        1, 0);
        grid->addWidget(addGroup(Tr::tr("フォト名表示"), QStringLiteral("optDispName"),
                                 {Tr::tr("なし"), Tr::tr("あり")}),
                        1, 1);
        m_tabs->addTab(page, Tr::tr("ｽﾗｲﾄﾞｼｮｰ基本設定"));
    }

    // Tab 4: photo sizing, the photo-name font, slideshow range.
    {
        auto* page = new QWidget;
        auto* grid = new QGridLayout(page);
        grid->addWidget(addGroup(Tr::tr("表示フォトサイズ"), QStringLiteral("optSizeMax"),
                                 {Tr::tr("未加工"), Tr::tr("縮小ジャストサイズ"),
                                  Tr::tr("拡大縮小ジャストサイズ")}),
                        0, 0, 2, 1);
        auto* fontBox = new QGroupBox(Tr::tr("フォントサイズ・カラー"));
        auto* fontLayout = new QVBoxLayout(fontBox);
        auto* fontButton = new QPushButton(Tr::tr("フォントの選択..."), fontBox);
        fontButton->setObjectName(QStringLiteral("btnFontChange"));
        m_fontSample = new QLabel(fontBox);
        m_fontSample->setObjectName(QStringLiteral("lblFontSample"));
        m_fontSample->setAutoFillBackground(true);
        m_fontSample->setAlignment(Qt::AlignCenter);
        m_fontSample->setMinimumHeight(36);
        fontLayout->addWidget(fontButton);
        fontLayout->addWidget(m_fontSample);
        grid->addWidget(fontBox, 0, 1);
        grid->addWidget(addGroup(Tr::tr("表示単位"), QStringLiteral("optRange"),
                                 {Tr::tr("アルバム"), Tr::tr("コンテナ")}),
                        1, 1);
        connect(fontButton, &QPushButton::clicked, this, [this] { btnFontChange_Click(); });
        m_tabs->addTab(page, Tr::tr("ｽﾗｲﾄﾞｼｮｰ拡張設定"));
    }

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* cancel = buttons->addButton(Tr::tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(ok, &QPushButton::clicked, this, [this] { btnOK_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
    connect(m_btnSelColor, &QPushButton::clicked, this, [this] { btnSelColor_Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);

    Form_Load();
}

QGroupBox* frmCondition::addGroup(const QString& caption, const QString& name,
                                  const QStringList& captions, int columns)
{
    auto* box = new QGroupBox(caption);
    box->setObjectName(QStringLiteral("fra") + name.mid(3));
    auto* grid = new QGridLayout(box);
    auto* group = new QButtonGroup(this);
    group->setObjectName(name);
    const int rows = int((captions.size() + columns - 1) / columns);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions.at(i), box);
        button->setObjectName(QStringLiteral("%1(%2)").arg(name).arg(i));
        group->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    m_groups.insert(name, group);
    return box;
}

int frmCondition::optionIndex(const QString& name) const
{
    const QButtonGroup* g = group(name);
    return g ? g->checkedId() : -1;
}

void frmCondition::setOptionIndex(const QString& name, int index)
{
    QButtonGroup* g = group(name);
    if (!g)
        return;
    if (QAbstractButton* b = g->button(index)) {
        b->setChecked(true);
        return;
    }
    // No button of the group on: an exclusive group cannot uncheck its last one.
    g->setExclusive(false);
    const QList<QAbstractButton*> buttons = g->buttons();
    for (QAbstractButton* b : buttons)
        b->setChecked(false);
    g->setExclusive(true);
}

ConditionChoices frmCondition::choices() const
{
    ConditionChoices c;
    c.comment = optionIndex(QStringLiteral("optComment"));
    c.thumbSize = optionIndex(QStringLiteral("optThumbSize"));
    c.password = optionIndex(QStringLiteral("optPassword"));
    c.cover = optionIndex(QStringLiteral("optCover"));
    c.cover1st = optionIndex(QStringLiteral("optCover1st"));
    c.dispAuto = optionIndex(QStringLiteral("optDispAuto"));
    c.interval = optionIndex(QStringLiteral("optInterval"));
    c.dispCont = optionIndex(QStringLiteral("optDispCont"));
    c.dispName = optionIndex(QStringLiteral("optDispName"));
    c.sizeMax = optionIndex(QStringLiteral("optSizeMax"));
    c.range = optionIndex(QStringLiteral("optRange"));
    c.coverFile = m_txtFileName->text();
    c.font = m_font;
    return c;
}

void frmCondition::setChoices(const ConditionChoices& c)
{
    setOptionIndex(QStringLiteral("optComment"), c.comment);
    setOptionIndex(QStringLiteral("optThumbSize"), c.thumbSize);
    setOptionIndex(QStringLiteral("optPassword"), c.password);
    setOptionIndex(QStringLiteral("optCover"), c.cover);
    setOptionIndex(QStringLiteral("optCover1st"), c.cover1st);
    setOptionIndex(QStringLiteral("optDispAuto"), c.dispAuto);
    setOptionIndex(QStringLiteral("optInterval"), c.interval);
    setOptionIndex(QStringLiteral("optDispCont"), c.dispCont);
    setOptionIndex(QStringLiteral("optDispName"), c.dispName);
    setOptionIndex(QStringLiteral("optSizeMax"), c.sizeMax);
    setOptionIndex(QStringLiteral("optRange"), c.range);
    m_txtFileName->setText(c.coverFile);
    m_font = c.font;
    showFont();
}

void frmCondition::showSelectionColour()
{
    m_btnSelColor->setIcon(swatch(colourFromRgbValue(m_main.settings().selectionColour)));
}

void frmCondition::showFont()
{
    QFont f(m_font.family);
    f.setPointSize(qBound(6, m_font.pointSize, 36));
    f.setBold(m_font.bold);
    f.setItalic(m_font.italic);
    f.setStrikeOut(m_font.strikeOut);
    f.setUnderline(m_font.underline);
    m_fontSample->setFont(f);
    m_fontSample->setText(QStringLiteral("%1 %2pt").arg(m_font.family).arg(m_font.pointSize));
    QPalette pal = m_fontSample->palette();
    pal.setColor(QPalette::WindowText, m_font.colour);
    // The photo name is drawn over the photo; a dark ground shows light colours.
    pal.setColor(QPalette::Window, Qt::black);
    m_fontSample->setPalette(pal);
}

void frmCondition::Form_Load()
{
    readSettingsIntoWindow(m_main);
    const Settings& st = m_main.settings();
    setChoices(choicesFromState(st));
    showSelectionColour();
    m_shown = {choices(), st.selectionColour, st.chooserFolder, st.containerFolder};
}

void frmCondition::btnSelColor_Click()
{
    Settings& st = m_main.settings();
    const std::optional<QColor> c = prompts().colour(colourFromRgbValue(st.selectionColour));
    if (!c)
        return;
    st.selectionColour = rgbValueFromColour(*c);
    showSelectionColour();
    if (m_main.mode() == Mode::Selected)
        RefreshGrid(m_main, false, true);
}

void frmCondition::btnFontChange_Click()
{
    if (const std::optional<FontChoice> f = prompts().font(m_font)) {
        m_font = *f;
        showFont();
    }
}

void frmCondition::btnFileSelect_Click()
{
    FileRequest request;
    request.title = Tr::tr("カバー画像の選択");
    const QFileInfo current(m_txtFileName->text());
    if (!m_txtFileName->text().isEmpty() && current.absoluteDir().exists())
        request.folder = current.absolutePath();
    request.filter = Tr::tr(kCoverFilter);
    const QString chosen = prompts().openFile(request);
    if (!chosen.isEmpty())
        m_txtFileName->setText(QDir::toNativeSeparators(chosen));
}

void frmCondition::btnOK_Click()
{
    Settings& st = m_main.settings();
    // Another window of the program may have written the file since it was
    // read at load: what the user left alone keeps the file's value.
    const SettingsFileRead file = loadSettingsFile();
    ConditionChoices chosen = choices();
    if (file.state == SettingsFileRead::Read) {
        Settings inFile;
        inFile.programFolder = st.programFolder;
        applySettingsText(cp932::decode(file.bytes), inFile);
        chosen = mergeChoices(m_shown.choices, chosen, choicesFromState(inFile));
        st.selectionColour =
            changedOrStored(m_shown.selectionColour, st.selectionColour, inFile.selectionColour);
        st.chooserFolder =
            changedOrStored(m_shown.chooserFolder, st.chooserFolder, inFile.chooserFolder);
        st.containerFolder =
            changedOrStored(m_shown.containerFolder, st.containerFolder, inFile.containerFolder);
    }
    applyChoices(st, chosen);
    if (!st.has(Flag::CoverSetting))
        m_main.setCoverView(false);
    if (st.has(Flag::CoverSetting))
        switchButtonOn(m_main, Cmd::Cover);
    else
        switchButtonOff(m_main, Cmd::Cover);
    recordWindowSize(m_main);

    // A file the read refused (a pipe, a device, a huge file) is left alone.
    const bool written = file.state != SettingsFileRead::Refused && writeAllSettings(st);
    // The file keeps an empty cover path as typed; in memory it is the default picture.
    if (st.coverImagePath.isEmpty())
        st.coverImagePath = defaultCoverPath(st);
    if (!written) {
        // The settings hold for this run, but they would be lost at the next start.
        prompts().warn(Tr::tr("設定ファイルに書き込めませんでした。") + QStringLiteral("\r\n") +
                           QDir::toNativeSeparators(settingsFilePath()),
                       Tr::tr(kTitle));
    }
    unload();
}

void frmCondition::btnCancel_Click()
{
    readSettingsIntoWindow(m_main);
    applyStoredWindowSize(m_main);
    unload();
}

void frmCondition::reject()
{
    if (!m_unloading)
        btnCancel_Click();
}

void frmCondition::unload()
{
    m_unloading = true;
    hide();
    setResult(QDialog::Accepted);
    deleteLater();
    m_main.activateWindow();
}

} // namespace quorbell
