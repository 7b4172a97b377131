// The tests' prompts: answers come from a script, every question is recorded.
// An unscripted question gets the "cancel" answer (No for Yes/No, Cancel for
// OK/Cancel, OK for a plain message, nothing for dialogs) and is recorded too.
#pragma once

#include "document/Prompts.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <deque>
#include <functional>
#include <variant>

namespace quorbell::test {

struct Asked
{
    enum class Kind { Message, OpenFile, SaveFile, Password, Colour, Font, Chooser };
    Kind kind;
    MessageRequest message;   // Kind::Message
    FileRequest file;         // OpenFile, SaveFile
    PasswordRequest password; // Password
    ChooserRequest chooser;   // Chooser
};

// One chooser answer: the choices offered to the accept callback in turn
// (the user pressing OK again after a refusal); when all are refused or the
// list is empty, the user cancels.
struct ChooserScript
{
    QList<AlbumChoice> attempts;
};

using Answer = std::variant<MsgAnswer, QString /*file or password*/, std::monostate /*cancel*/,
                            QColor, FontChoice, ChooserScript>;

class ScriptedPrompts : public Prompts
{
public:
    ScriptedPrompts();
    ~ScriptedPrompts() override;

    // Queue the next answers, in the order the questions will come.
    ScriptedPrompts& answer(MsgAnswer a);
    ScriptedPrompts& answerText(const QString& fileOrPassword);
    ScriptedPrompts& cancel();
    ScriptedPrompts& answerColour(const QColor& c);
    ScriptedPrompts& answerFont(const FontChoice& f);
    ScriptedPrompts& answerChooser(const ChooserScript& s);

    // Runs once while the next question is open, before it gets its answer
    // (the user doing something else meanwhile).
    void onNextQuestion(std::function<void()> action);

    const QList<Asked>& asked() const { return m_asked; }
    QStringList messageTexts() const; // texts of every message asked, in order
    QStringList messageTitles() const;
    int unansweredCount() const { return int(m_answers.size()); }
    void clear();

    MsgAnswer message(const MessageRequest& request) override;
    QString openFile(const FileRequest& request) override;
    QString saveFile(const FileRequest& request) override;
    std::optional<QString> password(const PasswordRequest& request) override;
    std::optional<QColor> colour(const QColor& initial) override;
    std::optional<FontChoice> font(const FontChoice& initial) override;
    bool chooseAlbums(const ChooserRequest& request) override;

private:
    std::optional<Answer> next();

    std::deque<Answer> m_answers;
    QList<Asked> m_asked;
    Prompts* m_previous = nullptr;
    std::function<void()> m_onNextQuestion;
};

} // namespace quorbell::test
