// The definition grammar once more, compiled without the parser trace: the
// same tables and actions, without a test of the trace flag at every step.
// parse_definition_files() runs it unless the trace is on. Its own parser
// globals get their own names; the scanner's value reaches it through a
// wrapper around the scanner.
#define YYDEBUG 0
#include "def_parser.hpp"  // with the scanner's own names

int yylex();
int untraced_yylex();

#define yylval untraced_yylval
#define yychar untraced_yychar
#define yynerrs untraced_yynerrs
#define yyparse untraced_yyparse
#define yyerror untraced_yyerror
#define yylex untraced_yylex
#include "def_parser.cpp"
#undef yylval
#undef yylex

int untraced_yylex() {
  int token = yylex();
  untraced_yylval = yylval;
  return token;
}
