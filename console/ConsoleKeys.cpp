#include "ConsoleKeys.h"

#include <QKeyEvent>

namespace {

struct ConsoleKey {
    int key;
    ConsoleKeyTarget target;
};
constexpr ConsoleKey kKeys[] = {
    {Qt::Key_A, {ConsoleKeyTarget::Answers, 0}},   {Qt::Key_B, {ConsoleKeyTarget::Answers, 1}},
    {Qt::Key_C, {ConsoleKeyTarget::Answers, 2}},   {Qt::Key_D, {ConsoleKeyTarget::Answers, 3}},
    {Qt::Key_1, {ConsoleKeyTarget::Answers, 0}},   {Qt::Key_2, {ConsoleKeyTarget::Answers, 1}},
    {Qt::Key_3, {ConsoleKeyTarget::Answers, 2}},   {Qt::Key_4, {ConsoleKeyTarget::Answers, 3}},
    {Qt::Key_F, {ConsoleKeyTarget::Lifelines, 0}}, {Qt::Key_R, {ConsoleKeyTarget::Lifelines, 1}},
};

} // namespace

std::optional<ConsoleKeyTarget> FindConsoleKey(const QKeyEvent& press)
{
    if (press.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) return std::nullopt;
    for (const ConsoleKey& key : kKeys) {
        if (key.key == press.key()) return key.target;
    }
    return std::nullopt;
}
