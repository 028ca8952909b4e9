#include "script/parameter_binding.h"

#include <string>

#include "script/script_context.h"
#include "script/variables.h"

namespace qeli::script {

namespace {

void bindTemporary(ScriptRecord& record, const Token& token, Param& param) {
    const Temporary* temporary = record.temporary(token.valueOffset);
    if (!temporary) return;
    if (temporary->kind == TemporaryKind::Integer) param.value = temporary->value;
    else if (temporary->text) param.text = temporary->text->c_str();
}

// A string result in a string variable; an integer result there becomes its decimal text.
std::string resultText(const CommandResult& result) {
    if (result.text) return *result.text;
    if (result.kind == ResultKind::Integer) return std::to_string(result.value);
    return {};
}

void storeIntoTemporary(ScriptRecord& record, Token& token, const CommandResult& result) {
    Temporary* temporary = record.temporary(token.valueOffset);
    if (!temporary) return;
    if (result.kind == ResultKind::Integer) {
        temporary->kind = TemporaryKind::Integer;
        temporary->value = result.value;
        temporary->text.reset();
        token.type = static_cast<int32_t>(TokenType::IntTemporary);
    } else if (result.kind == ResultKind::String) {
        temporary->kind = TemporaryKind::String;
        temporary->text = result.text.value_or(std::string());
        token.type = static_cast<int32_t>(TokenType::StringTemporary);
    }
}

}  // namespace

void bindReference(ScriptContext& context, ScriptRecord& record, int32_t tokenIndex, Param& param, IndexCheck texts,
                   bool createAbsentStrings) {
    param = Param{};
    param.token = tokenIndex;
    const Token* token = record.token(tokenIndex);
    if (!token) return;
    param.type = token->kind();
    param.empty = false;
    switch (param.type) {
    case TokenType::Word: param.text = record.text(token->nameOffset); break;
    case TokenType::IntVariable:
    case TokenType::IntConstant: param.value = record.cell(token->valueOffset); break;
    case TokenType::StringConstant:
    case TokenType::StringLiteral: param.text = record.text(token->valueOffset); break;
    case TokenType::StringVariable:
        if (auto* s = specialString(context, record.text(token->nameOffset)); s && *s) param.text = (*s)->c_str();
        break;
    case TokenType::FlagElement:
        if (int32_t* cell = flagElement(context, record, *token, texts)) param.value = *cell;
        break;
    case TokenType::StringElement:
        if (auto* slot = stringElement(context, record, *token, texts, true)) {
            // A string used before it was ever set exists, empty, from then on.
            if (!*slot && createAbsentStrings) slot->emplace();
            if (*slot) param.text = (*slot)->c_str();
        } else {
            param.text = "";
        }
        break;
    case TokenType::IntTemporary:
    case TokenType::StringTemporary: bindTemporary(record, *token, param); break;
    case TokenType::FlagArray:
    case TokenType::Temporary: break;
    default: param.empty = true; break;
    }
}

void bindParameter(ScriptContext& context, ScriptRecord& record, int32_t tokenIndex, Param& param) {
    bindReference(context, record, tokenIndex, param, IndexCheck::Binding, true);
}

void storeResult(ScriptContext& context, ScriptRecord& record, int32_t targetToken, const CommandResult& result) {
    Token* token = record.token(targetToken);
    if (!token) return;
    switch (token->kind()) {
    case TokenType::IntVariable:
    case TokenType::IntConstant: record.setCell(token->valueOffset, result.value); break;
    case TokenType::StringVariable:
        if (auto* s = specialString(context, record.text(token->nameOffset))) *s = resultText(result);
        break;
    case TokenType::FlagElement:
        if (int32_t* cell = flagElement(context, record, *token, IndexCheck::Binding)) *cell = result.value;
        break;
    case TokenType::StringElement:
        if (auto* slot = stringElement(context, record, *token, IndexCheck::Binding, false)) *slot = resultText(result);
        break;
    case TokenType::Temporary:
    case TokenType::IntTemporary:
    case TokenType::StringTemporary: storeIntoTemporary(record, *token, result); break;
    default: break;
    }
}

}  // namespace qeli::script
