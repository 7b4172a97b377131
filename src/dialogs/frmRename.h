// The batch rename dialog "リネーミング": a common part and a number style.
// OK runs the rename over every album of the grid; a common part with a
// forbidden character keeps the dialog open. Modeless; it deletes itself
// when it closes.
#pragma once

#include "dialogs/BatchRename.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;

namespace quorbell {

class frmMain;

// The rename as the dialog's OK runs it: the check and rename passes, then
// the selected album's name in the status bar.
// With `confirm`, nothing is renamed until it agrees.
BatchRenameOutcome renameAlbums(frmMain& w, const QString& common, RenameNumberStyle style,
                                const RenameConfirmation& confirm = {});

class frmRename : public QDialog
{
    Q_OBJECT
public:
    explicit frmRename(frmMain& main);

    QLineEdit* txtFileNameU() const { return m_common; }
    QButtonGroup* optFileNameL() const { return m_style; }

    void Form_Load();
    void btnOK_Click();
    void btnCancel_Click();

public Q_SLOTS:
    void reject() override;

private:
    void unload();

    frmMain& m_main;
    QLineEdit* m_common = nullptr;
    QButtonGroup* m_style = nullptr;
    bool m_unloading = false;
};

} // namespace quorbell
