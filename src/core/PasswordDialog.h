// The two password prompts: the album prompt ("ﾊﾟｽﾜｰﾄﾞの入力" naming the album
// file) and the container prompt. The entry takes at most 8 characters, each
// with a one-byte code page 932 code, because the stored form has room for
// nothing else. Each showing starts empty.
#pragma once

#include "document/Prompts.h"

#include <QDialog>

class QLabel;
class QLineEdit;

namespace quorbell {

class PasswordDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PasswordDialog(const PasswordRequest& request, QWidget* parent = nullptr);

    QString text() const;
    QLineEdit* entry() const { return m_entry; }

private:
    QLabel* m_fileName = nullptr;
    QLineEdit* m_entry = nullptr;
};

} // namespace quorbell
