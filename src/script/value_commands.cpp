// The value commands: `=` (through the expression evaluator), `Random`, the trigonometric commands,
// `StringLength` and `FlagReset`.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "script/command_table.h"
#include "script/expression.h"
#include "script/script_commands.h"
#include "script/script_context.h"

namespace qeli::script {

namespace {

std::optional<CommandResult> Assign(ScriptContext&, int32_t count, const Param* params) {
    return evaluateExpression(count, params);
}

// A value 0 .. m - 1 without bias: draws are repeated until one falls below the largest multiple of
// m under 32,767. Ranges wider than one draw can cover (where that bound is 0 and the draw would
// never end) take a 45-bit value from three draws instead.
int64_t drawBelow(RandomGenerator& random, int64_t m) {
    if (m > kRandomMax) {
        int64_t wide = (int64_t{random.next()} << 30) | (int64_t{random.next()} << 15) | random.next();
        return wide % m;
    }
    const int32_t bound = kRandomMax - kRandomMax % static_cast<int32_t>(m);
    int32_t value;
    do value = random.next();
    while (value >= bound);
    return value % m;
}

// Random, Random(max) for 0 .. max, Random(low, high) for low + 1 .. high + 1 (one above the range
// its parameters name, as games written for it expect).
std::optional<CommandResult> Random(ScriptContext& context, int32_t count, const Param* params) {
    RandomGenerator& random = context.random;
    switch (count) {
    case 0: return CommandResult::integer(random.next());
    case 1: {
        int64_t m = int64_t{params[0].value} + 1;
        return CommandResult::integer(m <= 0 ? 0 : static_cast<int32_t>(drawBelow(random, m)));
    }
    case 2: {
        int64_t m = int64_t{params[1].value} - params[0].value + 1;
        int64_t value = m <= 0 ? 0 : drawBelow(random, m);
        return CommandResult::integer(static_cast<int32_t>(static_cast<uint32_t>(value + params[0].value + 1)));
    }
    default: return CommandResult::none();
    }
}

// 1000 × f(degrees), with the engine's 3.141592 for pi, +0.4 and truncation; values too large for 32
// bits (tan near 90 degrees) are held at the limits.
std::optional<CommandResult> trigonometric(double (*f)(double), int32_t count, const Param* params) {
    if (count != 1) return std::nullopt;
    double scaled = f(params[0].value * 3.141592 / 180.0) * 1000.0 + 0.4;
    scaled = std::clamp(scaled, static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX));
    return CommandResult::integer(static_cast<int32_t>(scaled));
}

std::optional<CommandResult> sin(ScriptContext&, int32_t count, const Param* params) {
    return trigonometric(std::sin, count, params);
}
std::optional<CommandResult> cos(ScriptContext&, int32_t count, const Param* params) {
    return trigonometric(std::cos, count, params);
}
std::optional<CommandResult> tan(ScriptContext&, int32_t count, const Param* params) {
    return trigonometric(std::tan, count, params);
}

std::optional<CommandResult> StringLength(ScriptContext&, int32_t count, const Param* params) {
    if (count > 1) return std::nullopt;
    if (count == 0 || !params[0].text) return CommandResult::integer(0);
    return CommandResult::integer(static_cast<int32_t>(std::strlen(params[0].text)));
}

// Clears the Flag table only: String, GlobalFlag and GlobalString keep their values.
std::optional<CommandResult> FlagReset(ScriptContext& context, int32_t count, const Param*) {
    if (count != 0) return std::nullopt;
    std::fill(context.flags.begin(), context.flags.end(), 0);
    // TODO: clear the history when the history view exists.
    return std::nullopt;
}

}  // namespace

void registerValueCommands(CommandTable& table) {
    table.setHandler("=", Assign);
    table.setHandler("Random", Random);
    table.setHandler("sin", sin);
    table.setHandler("cos", cos);
    table.setHandler("tan", tan);
    table.setHandler("StringLength", StringLength);
    table.setHandler("FlagReset", FlagReset);
}

}  // namespace qeli::script
