#include "script/compiler.h"

#include "script/code_linker.h"
#include "script/script_builder.h"
#include "script/source_checks.h"
#include "script/source_lexer.h"
#include "script/statement_compiler.h"

namespace qeli::script {

std::optional<CompiledScript> compileScriptSource(std::span<const uint8_t> source, CompilerReporter& reporter) {
    const SourceText text(source);
    if (!checkSource(text, reporter)) return std::nullopt;
    const NormalisedSource normalised = normaliseSource(source);
    ScriptBuilder builder;
    if (!compileStatements(normalised, text, builder, reporter)) return std::nullopt;
    linkCode(builder, text, reporter);
    return builder.finish();
}

}  // namespace qeli::script
