// The program's prompts: real modal dialogs with Japanese texts.
#pragma once

#include "document/Prompts.h"

class QWidget;

namespace quorbell {

class QtPrompts : public Prompts
{
public:
    explicit QtPrompts(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    MsgAnswer message(const MessageRequest& request) override;
    MsgAnswer messageWithExtra(const MessageRequest& request, const QString& extraButton) override;
    QString openFile(const FileRequest& request) override;
    QString saveFile(const FileRequest& request) override;
    QStringList openFiles(const FileRequest& request) override;
    QString chooseFolder(const FileRequest& request) override;
    std::optional<QString> password(const PasswordRequest& request) override;
    std::optional<QColor> colour(const QColor& initial) override;
    std::optional<FontChoice> font(const FontChoice& initial) override;
    bool chooseAlbums(const ChooserRequest& request) override;

private:
    QWidget* m_owner = nullptr;
};

} // namespace quorbell
