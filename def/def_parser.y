%{
// Placeholder grammar: replaced by the definition grammar.
#include "def/def_parser_api.h"
#include "driver/dispatch.h"
int yylex();
void yyerror(const char*) {}
%}
%%
start: { run_generator_dispatch(); } ;
%%
int parse_definition_files() { return yyparse(); }
