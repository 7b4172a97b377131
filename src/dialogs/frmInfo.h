// The properties dialog: the open container file and the selected album,
// with the album's file name and comment editable. Its fields follow the
// selection: they are filled again whenever the dialog becomes active.
// Modeless; it deletes itself when it closes. The grid looks for it by its
// object name "frmInfo".
#pragma once

#include <QDialog>

class QFormLayout;
class QLabel;
class QLineEdit;

namespace quorbell {

class frmMain;

enum class PropertiesResult {
    NotApplied,   // no album selected
    Forbidden,    // the name has a character a file name may not have
    EmptyName,    // no name typed: ".sld" alone would make a hidden file
    NameInGrid,   // another album of the grid has that name
    NameInFolder, // a file of that name is in the album folder
    RenameFailed, // the system refused the rename
    Applied,
};

// Applies a new name (without extension; ".sld" is added) and comment to the
// selected album, with the messages of the properties dialog, then redraws
// the grid with its selection frame.
PropertiesResult applyAlbumProperties(frmMain& w, const QString& baseName, const QString& comment);

class frmInfo : public QDialog
{
    Q_OBJECT
public:
    explicit frmInfo(frmMain& main);

    QLineEdit* txtSfileName() const { return m_txtSfileName; }
    QLineEdit* txtSTitle() const { return m_txtSTitle; }
    // The text of a display field by its control name ("dspTfileName" ...).
    QString field(const QString& name) const;
    bool pictureShown() const;

    void fillFields();
    PropertiesResult btnTekiyo_Click();
    void btnOK_Click();
    void btnCancel_Click();

public Q_SLOTS:
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    QLabel* addField(QFormLayout* form, const QString& label, const QString& name);
    void unload();

    frmMain& m_main;
    QLineEdit* m_txtSfileName = nullptr;
    QLineEdit* m_txtSTitle = nullptr;
    QLabel* m_picDispBox = nullptr;
    bool m_unloading = false;
};

} // namespace quorbell
