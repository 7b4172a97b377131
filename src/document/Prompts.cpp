#include "document/Prompts.h"

namespace quorbell {
namespace {
Prompts* g_prompts = nullptr;
}

Prompts& prompts()
{
    Q_ASSERT_X(g_prompts, "prompts()", "no prompts implementation installed");
    return *g_prompts;
}

void setPrompts(Prompts* p)
{
    g_prompts = p;
}

} // namespace quorbell
