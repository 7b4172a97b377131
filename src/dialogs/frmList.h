// The album list dialog "アルバムリスト": a six-column report of every album
// of the grid and the same list as fixed-column text, which "ﾌｧｲﾙに保存"
// writes to a code page 932 text file. Modeless; it deletes itself when closed.
#pragma once

#include <QDialog>

class QPlainTextEdit;
class QTreeWidget;

namespace quorbell {

class frmMain;

// Asks for a file name and writes the list text there; false when the user
// cancelled or the file could not be written (the user was told).
bool saveAlbumListText(const QString& text, const QString& folder);

class frmList : public QDialog
{
    Q_OBJECT
public:
    explicit frmList(frmMain& main);

    QTreeWidget* lstView() const { return m_list; }
    QPlainTextEdit* txtBox() const { return m_text; }
    // The text as it is written to a file, CR LF line ends included.
    QString reportText() const { return m_report; }

    void Form_Load();
    void btnFileSave_Click();
    void btnOK_Click();

public Q_SLOTS:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setColumnWidths();
    void unload();

    frmMain& m_main;
    QTreeWidget* m_list = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QString m_report;
    bool m_unloading = false;
};

} // namespace quorbell
