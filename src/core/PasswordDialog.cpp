#include "core/PasswordDialog.h"

#include "core/PasswordForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

namespace quorbell {
namespace {

// Accepts only characters the stored password form can hold.
class SingleByteValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return isValidPasswordText(input) ? Acceptable : Invalid;
    }
};

} // namespace

PasswordDialog::PasswordDialog(const PasswordRequest& request, QWidget* parent) : QDialog(parent)
{
    const bool album = request.kind == PasswordKind::Album;
    setObjectName(album ? QStringLiteral("frmPasswd2") : QStringLiteral("frmPassword"));
    setWindowTitle(tr("ﾊﾟｽﾜｰﾄﾞの入力"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(album ? tr("下記のアルバムファイルのパスワードを入力して下さい")
                                       : tr("コンテナファイルのパスワードを入力して下さい。"),
                                 this));
    if (album) {
        m_fileName = new QLabel(request.fileName, this);
        m_fileName->setObjectName(QStringLiteral("lblFileName"));
        layout->addWidget(m_fileName);
    }
    m_entry = new QLineEdit(this);
    m_entry->setObjectName(album ? QStringLiteral("txtPasswd2") : QStringLiteral("txtPassword"));
    m_entry->setMaxLength(kPasswordLength);
    m_entry->setEchoMode(request.masked ? QLineEdit::Password : QLineEdit::Normal);
    m_entry->setValidator(new SingleByteValidator(m_entry));
    m_entry->setToolTip(
        tr("8文字まで。半角の英数字・記号・半角カナだけが使えます（全角文字は保存できません）。"));
    layout->addWidget(m_entry);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    buttons->addButton(tr("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString PasswordDialog::text() const
{
    return m_entry->text();
}

} // namespace quorbell
