// The settings dialog "環境設定": four tabs of option groups, the selection
// colour (applied at once), the photo-name font and the cover picture file.
// OK reads the file again, applies every choice the user made and the file's
// current value of every other setting, and writes the whole settings file;
// Cancel reads the file again. Modeless; it deletes itself when closed.
#pragma once

#include "dialogs/SettingsChoices.h"

#include <QDialog>
#include <QHash>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace quorbell {

class frmMain;

class frmCondition : public QDialog
{
    Q_OBJECT
public:
    // Loading the dialog reads the settings file and shows its values.
    explicit frmCondition(frmMain& main);

    // The option group of a settings key ("optComment" ... "optRange").
    QButtonGroup* group(const QString& name) const { return m_groups.value(name); }
    // The index of the button that is on; -1 when none is.
    int optionIndex(const QString& name) const;
    void setOptionIndex(const QString& name, int index);
    QLineEdit* txtFileName() const { return m_txtFileName; }
    QTabWidget* tabs() const { return m_tabs; }
    FontChoice chosenFont() const { return m_font; }

    // The controls as choices, and back.
    ConditionChoices choices() const;
    void setChoices(const ConditionChoices& c);

    // Handlers of the dialog's buttons.
    void Form_Load();
    void btnSelColor_Click();
    void btnFontChange_Click();
    void btnFileSelect_Click();
    void btnOK_Click();
    void btnCancel_Click();

public Q_SLOTS:
    // Escape and the close box cancel.
    void reject() override;

private:
    QGroupBox* addGroup(const QString& caption, const QString& name, const QStringList& captions,
                        int columns = 1);
    void showSelectionColour();
    void showFont();
    void unload();

    frmMain& m_main;
    QTabWidget* m_tabs = nullptr;
    QHash<QString, QButtonGroup*> m_groups;
    QLineEdit* m_txtFileName = nullptr;
    QPushButton* m_btnSelColor = nullptr;
    QLabel* m_fontSample = nullptr;
    FontChoice m_font;
    // What the dialog showed when it opened, so that OK can tell the user's
    // changes from values another window wrote to the file meanwhile.
    struct Shown
    {
        ConditionChoices choices;
        qint32 selectionColour = 0;
        QString chooserFolder, containerFolder;
    } m_shown;
    bool m_unloading = false;
};

} // namespace quorbell
