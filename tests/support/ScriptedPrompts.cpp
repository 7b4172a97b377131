#include "ScriptedPrompts.h"

#include <utility>

namespace quorbell::test {

ScriptedPrompts::ScriptedPrompts()
{
    // Installed for the lifetime of the object.
    setPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    setPrompts(nullptr);
}

ScriptedPrompts& ScriptedPrompts::answer(MsgAnswer a)
{
    m_answers.emplace_back(a);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::answerText(const QString& text)
{
    m_answers.emplace_back(text);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::cancel()
{
    m_answers.emplace_back(std::monostate{});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::answerColour(const QColor& c)
{
    m_answers.emplace_back(c);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::answerFont(const FontChoice& f)
{
    m_answers.emplace_back(f);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::answerChooser(const ChooserScript& s)
{
    m_answers.emplace_back(s);
    return *this;
}

void ScriptedPrompts::clear()
{
    m_answers.clear();
    m_asked.clear();
}

QStringList ScriptedPrompts::messageTexts() const
{
    QStringList out;
    for (const Asked& a : m_asked) {
        if (a.kind == Asked::Kind::Message)
            out << a.message.text;
    }
    return out;
}

QStringList ScriptedPrompts::messageTitles() const
{
    QStringList out;
    for (const Asked& a : m_asked) {
        if (a.kind == Asked::Kind::Message)
            out << a.message.title;
    }
    return out;
}

void ScriptedPrompts::onNextQuestion(std::function<void()> action)
{
    m_onNextQuestion = std::move(action);
}

std::optional<Answer> ScriptedPrompts::next()
{
    if (m_onNextQuestion)
        std::exchange(m_onNextQuestion, nullptr)();
    if (m_answers.empty())
        return std::nullopt;
    Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

MsgAnswer ScriptedPrompts::message(const MessageRequest& request)
{
    m_asked.append({Asked::Kind::Message, request, {}, {}, {}});
    const std::optional<Answer> a = next();
    if (a && std::holds_alternative<MsgAnswer>(*a))
        return std::get<MsgAnswer>(*a);
    switch (request.buttons) {
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::OkCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return MsgAnswer::Ok;
}

QString ScriptedPrompts::openFile(const FileRequest& request)
{
    m_asked.append({Asked::Kind::OpenFile, {}, request, {}, {}});
    const std::optional<Answer> a = next();
    return a && std::holds_alternative<QString>(*a) ? std::get<QString>(*a) : QString();
}

QString ScriptedPrompts::saveFile(const FileRequest& request)
{
    m_asked.append({Asked::Kind::SaveFile, {}, request, {}, {}});
    const std::optional<Answer> a = next();
    return a && std::holds_alternative<QString>(*a) ? std::get<QString>(*a) : QString();
}

std::optional<QString> ScriptedPrompts::password(const PasswordRequest& request)
{
    m_asked.append({Asked::Kind::Password, {}, {}, request, {}});
    const std::optional<Answer> a = next();
    if (a && std::holds_alternative<QString>(*a))
        return std::get<QString>(*a);
    return std::nullopt;
}

std::optional<QColor> ScriptedPrompts::colour(const QColor&)
{
    m_asked.append({Asked::Kind::Colour, {}, {}, {}, {}});
    const std::optional<Answer> a = next();
    if (a && std::holds_alternative<QColor>(*a))
        return std::get<QColor>(*a);
    return std::nullopt;
}

std::optional<FontChoice> ScriptedPrompts::font(const FontChoice&)
{
    m_asked.append({Asked::Kind::Font, {}, {}, {}, {}});
    const std::optional<Answer> a = next();
    if (a && std::holds_alternative<FontChoice>(*a))
        return std::get<FontChoice>(*a);
    return std::nullopt;
}

bool ScriptedPrompts::chooseAlbums(const ChooserRequest& request)
{
    m_asked.append({Asked::Kind::Chooser, {}, {}, {}, request});
    const std::optional<Answer> a = next();
    if (!a || !std::holds_alternative<ChooserScript>(*a))
        return false;
    for (const AlbumChoice& choice : std::get<ChooserScript>(*a).attempts) {
        if (request.accept && request.accept(choice))
            return true;
    }
    return false;
}

} // namespace quorbell::test
