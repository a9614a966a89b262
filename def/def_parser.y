%{
// The definition grammar (LALR(1)). It reads all definition files as one
// stream and builds the operator model: library description, class
// descriptions, chapter references, operator declarations with their slots
// and documentation blocks for operators declared elsewhere. Actions call
// the slot functions of def/; the top rule runs the generator dispatch.
#include <cstdio>
#include <iterator>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "def/def_parser_api.h"
#include "def/operator_slots.h"
#include "def/parameter_slots.h"
#include "def/parser_state.h"
#include "def/screening.h"
#include "driver/diagnostics.h"
#include "driver/dispatch.h"
#include "driver/settings.h"

int yylex();
void yyerror(const char* message);

namespace {

// The parser's own messages ("syntax error", "memory exhausted") are not
// shown; the error alternatives report what went wrong.
int syntax_errors = 0;

void dispatch_at_end_of_input();
void give_back_declared_list(std::vector<DeclaredParam>* list);

// Token values are heap copies; each action takes over the ones it uses.
std::string take(std::string* text) { return take_token_text(text); }

// List values are reused like token values (def/screening.h).
TextList take(TextList* list) { return take_list_value(list); }

// Lists are reserved for a few values: most have one to four.
TextList* new_list() { return new_list_value(4); }

TextList* single(std::string* text) {
  TextList* list = new_list();
  list->push_back(take(text));
  return list;
}

// A value of a value list loses its white space; a missing value after a
// comma is kept as an empty entry unless the list is still empty.
TextList* append_value(TextList* list, std::string* value, const char* empty_message) {
  if (list->empty()) parse_error("%s", empty_message);
  list->push_back(value != nullptr ? take(value) : std::string());
  return list;
}

TextList* first_value(std::string* value) {
  TextList* list = new_list();
  if (value != nullptr) list->push_back(take(value));
  return list;
}

std::string* no_white_space(std::string* value) {
  remove_white_space(*value);
  return value;
}

// Postfix form: left operand, right operand, operator word.
TextList* postfix(TextList* left, TextList* right, const char* word) {
  left->reserve(left->size() + right->size() + 1);
  for (std::string& item : *right) left->push_back(std::move(item));
  give_back_list_value(right);
  left->push_back(word);
  return left;
}

TextList* postfix_unary(TextList* operand, const char* word) {
  operand->push_back(word);
  return operand;
}

// The parameter list is right-recursive: its names arrive last to first, in
// reused lists, and declare_operator() copies each group into file order.
std::vector<DeclaredParam>* new_declared_list();  // (after the grammar)
std::vector<DeclaredParam>* declared_param(std::string* name, char flag,
                                           std::vector<DeclaredParam>* rest) {
  if (rest == nullptr) rest = new_declared_list();
  rest->push_back(DeclaredParam{take(name), flag});
  return rest;
}

char type_flag(std::string* word) {
  char flag = (*word)[0];
  delete word;
  switch (flag) {
    case 'i': case 'I': case 'f': case 'F': case 's': case 'S':
      return flag;
  }
  parse_error("type flag expected: '%c' is no type flag", flag);
}

// The name stays with its token: the error alternative quotes it, the rule's end deletes it.
void declare_operator(const std::string& name, std::string* function,
                      std::vector<DeclaredParam>* groups[4]) {
  std::vector<DeclaredParam> declared[4];
  for (int group = 0; group < 4; ++group) {
    std::vector<DeclaredParam>& names = *groups[group];
    declared[group].assign(std::make_move_iterator(names.rbegin()),
                           std::make_move_iterator(names.rend()));
    give_back_declared_list(groups[group]);
  }
  begin_operator_declaration(name, take(function), declared);
}

SplitMethod* split_method(std::string* name, TextList* params) {
  auto* method = new SplitMethod;
  method->name = take(name);
  if (params != nullptr) method->params = take(params);
  return method;
}

void text_slot(int token, std::string* language, std::string* text) {
  TokenTextGuard tag(language);
  operator_text_slot(token, tag.get(), take(text));
}

void list_slot(int token, std::string* language, TextList* list) {
  TokenTextGuard tag(language);
  operator_list_slot(token, tag.get(), take(list));
}

// Related-operator lists carry the empty language.
void name_list_slot(int token, TextList* list) {
  std::string none;
  operator_list_slot(token, &none, take(list));
}

void value_slot(int token, std::string* value) {
  operator_text_slot(token, nullptr, value != nullptr ? take(value) : std::string());
}

void par_text(int token, std::string* language, std::string* text) {
  TokenTextGuard tag(language);
  parameter_text_slot(token, tag.get(), text != nullptr ? take(text) : std::string());
}

void par_list(int token, std::string* language, TextList* list) {
  TokenTextGuard tag(language);
  parameter_list_slot(token, tag.get(), take(list));
}

}  // namespace
%}

%code requires {
#include <string>
#include <vector>
#include "def/operator_model.h"
}

%define parse.trace

%union {
  std::string* text;
  TextList* list;
  std::vector<DeclaredParam>* params;
  std::vector<SplitMethod>* methods;
  SplitMethod* method;
  Operator* op;
  char flag;
}

%token <text> IDENTIFIER GUID_TOKEN FUNCTIONID LANGUAGE NUMBER TEXTLINES STRING QSTRING
%token <text> TUPLE KEYWORD OBJIN OBJOUT CNTRLIN CNTRLOUT CDKIND
%token SHORTDESCRIPTION DESCRIPTION WARNING EXAMPLE COMPLEXITY ATTENTION RESULT LITERATURE
%token CHAPTER KEYWORDS FLAGS FUNCTIONALITY MODULE_ID DYNAMIC_MODULES OPERATOR_CATEGORY
%token NEW_IN_VERSION FEATURE_TOGGLE ALTERNATIVES REFERENCE SUCCESSOR PREDECESSOR CHAPTER_REF
%token PARAMETER PARAM_DESCRIPTIONS CLASS_DESCRIPTIONS PARALLELINFO CLASS LIBRARY IID_TOKEN
%token CLSID_TOKEN LIBID VERSION_MAJOR VERSION_MINOR USER_LIB SYSTEM_LIB
%token PROCESS_EXCLUSIVELY PROCESS_LOCALLY PROCESS_MUTUAL PAR_METHOD COMPUTE_DEVICES
%token REGION_PPROCESSING DOMAIN_SPLIT INTERRUPT_MODE
%token PARDESCRIPTION DEFAULTTYPE TYPES CD_TYPES CD_VALUES SEMTYPE MIXED MULTIVALUE
%token MULTIINSTANCE MULTICHANNEL MODIFIED DEFAULTVALUE VALUES VALUELIST VALUEMIN VALUEMAX
%token VALUEFUNCTION VALUENUMBER ASSERTION STEPREC STEPMIN COSTS_WEIGHT POSTPROCESSING
%token FILEEXT FILEEXTDESCR
%token ARROW UTF8_MARKER OR AND EQ NEQ GE LE NOT

%left OR
%left AND
%left EQ NEQ
%left GE LE '>' '<'
%left '+' '-'
%left '*' '/' '%'

%type <op> referenz referenz_lang chapter_ref
%type <params> parlist
%type <flag> typeflag
%type <list> ident_list value_list keyword_list boolexpr binary unary
%type <text> value keyword vornixtype
%type <methods> method_list
%type <method> method

%start start

%%

start
  : referenzen              { dispatch_at_end_of_input(); }
  | UTF8_MARKER referenzen  { dispatch_at_end_of_input(); }
  ;

referenzen
  : class
  | referenzen class
  | CLASS_DESCRIPTIONS class_lang
  | referenzen CLASS_DESCRIPTIONS class_lang
  | library
  | referenzen library
  | chapter_ref                  { add_operator($1, false); }
  | referenzen chapter_ref       { add_operator($2, false); }
  | referenz                     { add_operator($1, false); }
  | referenzen referenz          { add_operator($2, false); }
  | referenz_lang                { add_operator($1, true); }
  | referenzen referenz_lang     { add_operator($2, true); }
  | error                        { parse_error("operator declaration expected"); }
  ;

 /* A ":" after a slot keyword or language tag may be written or left out. */
colon_opt
  : %empty
  | ':'
  ;

library
  : LIBRARY IDENTIFIER ARROW SYSTEM_LIB library_description  { delete $2; }
  | LIBRARY IDENTIFIER ARROW USER_LIB library_description    { delete $2; }
  | LIBRARY IDENTIFIER error  { parse_error("Corrupt library definition ('<-' expected)"); }
  ;

library_description
  : %empty
  | ';'
  | library_description library_description_element
  ;

library_description_element
  : SHORTDESCRIPTION '.' LANGUAGE colon_opt TEXTLINES ';'
        { TokenTextGuard tag($3); library_short_description(tag.get(), take($5)); }
  | SHORTDESCRIPTION colon_opt TEXTLINES ';'  { library_short_description(nullptr, take($3)); }
  | SHORTDESCRIPTION error ';'                { parse_error("description text expected"); }
  | LIBID colon_opt '{' GUID_TOKEN '}' ';'    { library_id(take($4)); }
  | LIBID error ';'                           { parse_error("Library ID expected"); }
  | VERSION_MAJOR colon_opt NUMBER ';'        { library_version_major(take($3)); }
  | VERSION_MAJOR error ';'                   { parse_error("Major version expected"); }
  | VERSION_MINOR colon_opt NUMBER ';'        { library_version_minor(take($3)); }
  | VERSION_MINOR error ';'                   { parse_error("Minor version expected"); }
  ;

class
  : CLASS IDENTIFIER ARROW IDENTIFIER  { delete $2; begin_class(take($4)); }  class_items
  | CLASS IDENTIFIER error  { parse_error("Corrupt class definition ('<-' expected)"); }
  ;

class_items
  : %empty
  | ';'
  | class_items class_item
  ;

class_item
  : SHORTDESCRIPTION '.' LANGUAGE colon_opt TEXTLINES ';'
        { TokenTextGuard tag($3); class_short_description(tag.get(), take($5)); }
  | SHORTDESCRIPTION colon_opt TEXTLINES ';'  { class_short_description(nullptr, take($3)); }
  | SHORTDESCRIPTION error ';'                { parse_error("description text expected"); }
  | IID_TOKEN colon_opt '{' GUID_TOKEN '}' ';'    { class_interface_id(take($4)); }
  | IID_TOKEN error ';'                       { parse_error("Interface ID expected"); }
  | CLSID_TOKEN colon_opt '{' GUID_TOKEN '}' ';'  { class_class_id(take($4)); }
  | CLSID_TOKEN error ';'                     { parse_error("Class ID expected"); }
  | error  { parse_error("class description chunk\n (short description, iid, clsid) expected"); }
  ;

class_lang
  : class_description ';'
  | class_description class_lang
  ;

class_description
  : IDENTIFIER ':' TEXTLINES ';'  { std::string name = take($1); add_class_description(name, take($3)); }
  | error ';'                     { parse_error("<class name>:<description> expected"); }
  ;

chapter_ref
  : CHAPTER_REF colon_opt value_list ARROW IDENTIFIER
        { begin_chapter_reference(take($3), take($5)); }
    info
        { $$ = finish_chapter_reference(); }
  | CHAPTER_REF error  { parse_error("Corrupt chapter reference"); }
  ;

referenz
  : IDENTIFIER ARROW IDENTIFIER '[' parlist ':' parlist ':' parlist ':' parlist ']'
        { std::vector<DeclaredParam>* groups[4] = {$5, $7, $9, $11};
          declare_operator(*$1, $3, groups); }
    info
        { delete $1; $$ = finish_operator_declaration(); }
  | IDENTIFIER ARROW IDENTIFIER '[' error ']'
        { parse_error("%s %s", "illegal parameter name in operator declaration:", $1->c_str()); }
  | IDENTIFIER error  { parse_error("'<-' expected"); }
  ;

referenz_lang
  : IDENTIFIER ARROW IDENTIFIER
        { std::string name = take($1);
          $<op>$ = begin_documentation_block(name, take($3)); }
    info
        { $$ = $<op>4; }
  ;

parlist
  : %empty                                { $$ = new std::vector<DeclaredParam>; }
  | IDENTIFIER '$' typeflag               { $$ = declared_param($1, $3, nullptr); }
  | IDENTIFIER                            { $$ = declared_param($1, 0, nullptr); }
  | IDENTIFIER '$' typeflag ',' parlist   { $$ = declared_param($1, $3, $5); }
  | IDENTIFIER ',' parlist                { $$ = declared_param($1, 0, $3); }
  ;

typeflag
  : IDENTIFIER  { $$ = type_flag($1); }
  | error       { parse_error("type flag expected"); }
  ;

ident_list
  : %empty                       { $$ = new TextList; }
  | IDENTIFIER                   { $$ = single($1); }
  | ident_list ',' IDENTIFIER    { $$ = $1; $$->push_back(take($3)); }
  ;

method_list
  : method                  { $$ = new std::vector<SplitMethod>{std::move(*$1)}; delete $1; }
  | method_list ',' method  { $$ = $1; $$->push_back(std::move(*$3)); delete $3; }
  ;

method
  : IDENTIFIER                     { $$ = split_method($1, nullptr); }
  | IDENTIFIER '[' value_list ']'  { $$ = split_method($1, $3); }
  | IDENTIFIER '[' error ']'       { parse_error("illegal splitting list for %s", $1->c_str()); }
  | IDENTIFIER error
        { parse_error("illegal parameter splitting given for %s", $1->c_str()); }
  ;

value_list
  : value                 { $$ = first_value($1 != nullptr ? no_white_space($1) : nullptr); }
  | value_list ',' value
        { $$ = append_value($1, $3 != nullptr ? no_white_space($3) : nullptr,
                            "empty value in value list"); }
  ;

value
  : %empty      { $$ = nullptr; }
  | IDENTIFIER
  | NUMBER
  | STRING
  | QSTRING
  | TUPLE
  ;

keyword_list
  : keyword                   { $$ = first_value($1); }
  | keyword_list ',' keyword  { $$ = append_value($1, $3, "empty value in keyword list"); }
  ;

keyword
  : %empty   { $$ = nullptr; }
  | KEYWORD
  ;

info
  : %empty
  | ';'
  | info infoelem
  ;

infoelem
  : SHORTDESCRIPTION '.' LANGUAGE colon_opt TEXTLINES ';'  { text_slot(SHORTDESCRIPTION, $3, $5); }
  | SHORTDESCRIPTION colon_opt TEXTLINES ';'               { text_slot(SHORTDESCRIPTION, nullptr, $3); }
  | DESCRIPTION '.' LANGUAGE colon_opt TEXTLINES ';'       { text_slot(DESCRIPTION, $3, $5); }
  | DESCRIPTION colon_opt TEXTLINES ';'                    { text_slot(DESCRIPTION, nullptr, $3); }
  | WARNING '.' LANGUAGE colon_opt TEXTLINES ';'           { text_slot(WARNING, $3, $5); }
  | WARNING colon_opt TEXTLINES ';'                        { text_slot(WARNING, nullptr, $3); }
  | EXAMPLE '.' LANGUAGE colon_opt TEXTLINES ';'           { text_slot(EXAMPLE, $3, $5); }
  | EXAMPLE colon_opt TEXTLINES ';'                        { text_slot(EXAMPLE, nullptr, $3); }
  | COMPLEXITY '.' LANGUAGE colon_opt TEXTLINES ';'        { text_slot(COMPLEXITY, $3, $5); }
  | COMPLEXITY colon_opt TEXTLINES ';'                     { text_slot(COMPLEXITY, nullptr, $3); }
  | ATTENTION '.' LANGUAGE colon_opt TEXTLINES ';'         { text_slot(ATTENTION, $3, $5); }
  | ATTENTION colon_opt TEXTLINES ';'                      { text_slot(ATTENTION, nullptr, $3); }
  | RESULT '.' LANGUAGE colon_opt TEXTLINES ';'            { text_slot(RESULT, $3, $5); }
  | RESULT colon_opt TEXTLINES ';'                         { text_slot(RESULT, nullptr, $3); }
  | CHAPTER '.' LANGUAGE colon_opt value_list ';'          { list_slot(CHAPTER, $3, $5); }
  | CHAPTER colon_opt value_list ';'                       { list_slot(CHAPTER, nullptr, $3); }
  | CHAPTER error ';'                  { parse_error("list of chapters expected"); }
  | FUNCTIONALITY colon_opt value_list ';'                 { list_slot(FUNCTIONALITY, nullptr, $3); }
  | FUNCTIONALITY error ';'            { parse_error("functionality expected"); }
  | MODULE_ID colon_opt value ';'                          { value_slot(MODULE_ID, $3); }
  | MODULE_ID error ';'                { parse_error("module name expected"); }
  | DYNAMIC_MODULES colon_opt ident_list ';'               { list_slot(DYNAMIC_MODULES, nullptr, $3); }
  | DYNAMIC_MODULES error ';'          { parse_error("module name(s) expected"); }
  | OPERATOR_CATEGORY colon_opt value ';'                  { value_slot(OPERATOR_CATEGORY, $3); }
  | OPERATOR_CATEGORY error ';'        { parse_error("category name expected"); }
  | NEW_IN_VERSION colon_opt value ';'                     { value_slot(NEW_IN_VERSION, $3); }
  | NEW_IN_VERSION error ';'           { parse_error("version expected"); }
  | FEATURE_TOGGLE colon_opt ident_list ';'                { list_slot(FEATURE_TOGGLE, nullptr, $3); }
  | FEATURE_TOGGLE error ';'           { parse_error("list of feature toggles expected"); }
  | ALTERNATIVES colon_opt ident_list ';'                  { name_list_slot(ALTERNATIVES, $3); }
  | ALTERNATIVES error ';'             { parse_error("list of alternatives expected"); }
  | SUCCESSOR colon_opt ident_list ';'                     { name_list_slot(SUCCESSOR, $3); }
  | SUCCESSOR error ';'                { parse_error("list of successors expected"); }
  | PREDECESSOR colon_opt ident_list ';'                   { name_list_slot(PREDECESSOR, $3); }
  | PREDECESSOR error ';'              { parse_error("list of predecessors expected"); }
  | REFERENCE colon_opt ident_list ';'                     { name_list_slot(REFERENCE, $3); }
  | REFERENCE error ';'                { parse_error("list of operator names expected"); }
  | KEYWORDS '.' LANGUAGE colon_opt keyword_list ';'       { list_slot(KEYWORDS, $3, $5); }
  | KEYWORDS colon_opt keyword_list ';'                    { list_slot(KEYWORDS, nullptr, $3); }
  | KEYWORDS error ';'                 { parse_error("list of keywords expected"); }
  | LITERATURE colon_opt TEXTLINES ';'                     { text_slot(LITERATURE, nullptr, $3); }
  | PARALLELINFO parallelinfolist
  | PARAMETER parameter
  | PARAM_DESCRIPTIONS parameter_descriptions
  | PARAM_DESCRIPTIONS error           { parse_error("parameter descriptions expected"); }
  | FLAGS colon_opt value_list ';'                         { list_slot(FLAGS, nullptr, $3); }
  | FLAGS error ';'                    { parse_error("list of flags expected"); }
  ;

parallelinfolist
  : %empty
  | parallelinfo parallelinfolist
  ;

parallelinfo
  : PROCESS_EXCLUSIVELY ':' IDENTIFIER ';'  { parallelisation_text_slot(PROCESS_EXCLUSIVELY, take($3)); }
  | PROCESS_EXCLUSIVELY error ';'  { parse_error("process_exclusively: {true,false,none} expected"); }
  | PROCESS_LOCALLY ':' IDENTIFIER ';'      { parallelisation_text_slot(PROCESS_LOCALLY, take($3)); }
  | PROCESS_LOCALLY error ';'      { parse_error("process_locally: {true,false} expected"); }
  | PROCESS_MUTUAL ':' IDENTIFIER ';'       { parallelisation_text_slot(PROCESS_MUTUAL, take($3)); }
  | PROCESS_MUTUAL error ';'       { parse_error("process_mutual: {true,false} expected"); }
  | PAR_METHOD ':' method_list ';'          { parallelisation_methods(std::move(*$3)); delete $3; }
  | PAR_METHOD error ';'           { parse_error("parallelization method expected"); }
  | INTERRUPT_MODE ':' value_list ';'       { parallelisation_list_slot(INTERRUPT_MODE, take($3)); }
  | INTERRUPT_MODE error ';'       { parse_error("interrupt mode expected"); }
  | COMPUTE_DEVICES ':' value_list ';'      { parallelisation_list_slot(COMPUTE_DEVICES, take($3)); }
  | COMPUTE_DEVICES error ';'      { parse_error("compute devices expected"); }
  | REGION_PPROCESSING ':' IDENTIFIER ';'   { parallelisation_text_slot(REGION_PPROCESSING, take($3)); }
  | REGION_PPROCESSING error ';'   { parse_error("method of region postprocessing expected"); }
  | DOMAIN_SPLIT ':' NUMBER ';'             { parallelisation_text_slot(DOMAIN_SPLIT, take($3)); }
  | DOMAIN_SPLIT error ';'         { parse_error("domain_split: integer expected"); }
  ;

parameter
  : IDENTIFIER ':' vornixtype ';'
        { begin_parameter_block(*$1, take($3)); }
    parinfolist
        { delete $1; end_parameter_block(); }
  | IDENTIFIER ':' error ';'  { parse_error("type of parameter '%s' expected", $1->c_str()); }
  | error ';'
        { ParserState& s = parser_state();
          std::string name = s.info != nullptr && s.param >= 0 ? s.info->params[s.param].name : "";
          parse_error("parameter name '%s' expected", name.c_str()); }
  ;

vornixtype
  : OBJIN
  | OBJOUT
  | CNTRLIN
  | CNTRLOUT
  ;

parameter_descriptions
  : parameter_description ';'
  | parameter_description parameter_descriptions
  ;

parameter_description
  : IDENTIFIER ':' TEXTLINES ';'  { std::string name = take($1); add_parameter_description(name, take($3)); }
  | error ';'                     { parse_error("<parameter name>:<description> expected"); }
  ;

parinfolist
  : %empty
  | parinfolist parinfo
  ;

parinfo
  : PARDESCRIPTION '.' LANGUAGE ':' TEXTLINES ';'  { par_text(PARDESCRIPTION, $3, $5); }
  | PARDESCRIPTION ':' TEXTLINES ';'               { par_text(PARDESCRIPTION, nullptr, $3); }
  | DEFAULTTYPE ':' IDENTIFIER ';'                 { par_text(DEFAULTTYPE, nullptr, $3); }
  | DEFAULTTYPE error ';'        { parse_error("default type expected"); }
  | TYPES ':' ident_list ';'                       { par_list(TYPES, nullptr, $3); }
  | TYPES error ';'              { parse_error("list of types expected"); }
  | CD_TYPES '.' CDKIND ':' ident_list ';'         { delete $3; par_list(CD_TYPES, nullptr, $5); }
  | CD_VALUES '.' CDKIND ':' value_list ';'        { delete $3; par_list(CD_VALUES, nullptr, $5); }
  | SEMTYPE ':' value ';'                          { par_text(SEMTYPE, nullptr, $3); }
  | SEMTYPE error ';'            { parse_error("semantical type expected"); }
  | DEFAULTVALUE ':' value ';'                     { par_text(DEFAULTVALUE, nullptr, $3); }
  | DEFAULTVALUE error ';'       { parse_error("default value expected"); }
  | VALUES ':' value_list ';'                      { par_list(VALUES, nullptr, $3); }
  | VALUES error ';'             { parse_error("list of values expected"); }
  | VALUELIST ':' value_list ';'                   { par_list(VALUELIST, nullptr, $3); }
  | VALUELIST error ';'          { parse_error("list of values expected"); }
  | MIXED ':' IDENTIFIER ';'                       { par_text(MIXED, nullptr, $3); }
  | MIXED error ';'              { parse_error("true/false expected"); }
  | MULTIVALUE ':' IDENTIFIER ';'                  { par_text(MULTIVALUE, nullptr, $3); }
  | MULTIVALUE error ';'         { parse_error("true/false/optional expected"); }
  | MULTIINSTANCE ':' IDENTIFIER ';'               { par_text(MULTIINSTANCE, nullptr, $3); }
  | MULTIINSTANCE error ';'      { parse_error("true/false/optional expected"); }
  | MODIFIED ':' IDENTIFIER ';'                    { par_text(MODIFIED, nullptr, $3); }
  | MODIFIED error ';'           { parse_error("true/false expected"); }
  | MULTICHANNEL ':' IDENTIFIER ';'                { par_text(MULTICHANNEL, nullptr, $3); }
  | MULTICHANNEL error ';'       { parse_error("true/false/optional expected"); }
  | VALUEMIN ':' value ';'                         { par_text(VALUEMIN, nullptr, $3); }
  | VALUEMIN error ';'           { parse_error("number expected"); }
  | VALUEMAX ':' value ';'                         { par_text(VALUEMAX, nullptr, $3); }
  | VALUEMAX error ';'           { parse_error("number expected"); }
  | VALUEFUNCTION ':' IDENTIFIER ';'               { par_text(VALUEFUNCTION, nullptr, $3); }
  | VALUEFUNCTION error ';'      { parse_error("function name expected"); }
  | VALUENUMBER ':' boolexpr ';'                   { parameter_expression_slot(VALUENUMBER, take($3)); }
  | VALUENUMBER error ';'        { parse_error("boolean expression expected"); }
  | STEPREC ':' NUMBER ';'                         { par_text(STEPREC, nullptr, $3); }
  | STEPREC error ';'            { parse_error("number expected"); }
  | STEPMIN ':' NUMBER ';'                         { par_text(STEPMIN, nullptr, $3); }
  | STEPMIN error ';'            { parse_error("number expected"); }
  | ASSERTION ':' boolexpr ';'                     { parameter_expression_slot(ASSERTION, take($3)); }
  | ASSERTION error ';'          { parse_error("boolean expression expected"); }
  | COSTS_WEIGHT ':' NUMBER ';'                    { par_text(COSTS_WEIGHT, nullptr, $3); }
  | COSTS_WEIGHT error ';'       { parse_error("number expected"); }
  | POSTPROCESSING ':' ident_list ';'              { par_list(POSTPROCESSING, nullptr, $3); }
  | POSTPROCESSING error ';'     { parse_error("list of postprocessing options expected"); }
  | FILEEXT ':' value_list ';'                     { par_list(FILEEXT, nullptr, $3); }
  | FILEEXT error ';'            { parse_error("list of file extensions expected"); }
  | FILEEXTDESCR '.' LANGUAGE ':' value_list ';'   { par_list(FILEEXTDESCR, $3, $5); }
  | FILEEXTDESCR ':' value_list ';'                { par_list(FILEEXTDESCR, nullptr, $3); }
  | FILEEXTDESCR error ';'       { parse_error("list of file extension descriptions expected"); }
  ;

boolexpr
  : binary
  ;

binary
  : binary OR binary    { $$ = postfix($1, $3, "\\OR"); }
  | binary AND binary   { $$ = postfix($1, $3, "\\AND"); }
  | binary EQ binary    { $$ = postfix($1, $3, "\\EQ"); }
  | binary NEQ binary   { $$ = postfix($1, $3, "\\NEQ"); }
  | binary GE binary    { $$ = postfix($1, $3, "\\GE"); }
  | binary LE binary    { $$ = postfix($1, $3, "\\LE"); }
  | binary '>' binary   { $$ = postfix($1, $3, "\\GT"); }
  | binary '<' binary   { $$ = postfix($1, $3, "\\LT"); }
  | binary '+' binary   { $$ = postfix($1, $3, "\\ADD"); }
  | binary '-' binary   { $$ = postfix($1, $3, "\\SUB"); }
  | binary '*' binary   { $$ = postfix($1, $3, "\\MUL"); }
  | binary '/' binary   { $$ = postfix($1, $3, "\\DIV"); }
  | binary '%' binary   { $$ = postfix($1, $3, "\\MOD"); }
  | unary
  ;

unary
  : '(' binary ')'                { $$ = $2; }
  | NOT unary                     { $$ = postfix_unary($2, "\\NOT"); }
  | '-' unary                     { $$ = postfix_unary($2, "\\NEG"); }
  | FUNCTIONID '(' binary ')'     { $$ = postfix_unary($3, $1->c_str()); delete $1; }
  | IDENTIFIER                    { check_expression_operand(*$1); $$ = single($1); }
  | NUMBER                        { $$ = single($1); }
  ;

%%

void yyerror(const char*) { ++syntax_errors; }

namespace {
// Declared-parameter lists in the making, reused: a declaration's lists are
// copied out at their exact size.
std::vector<std::vector<DeclaredParam>*> spare_declared_lists;

std::vector<DeclaredParam>* new_declared_list() {
  if (spare_declared_lists.empty()) return new std::vector<DeclaredParam>;
  std::vector<DeclaredParam>* list = spare_declared_lists.back();
  spare_declared_lists.pop_back();
  return list;
}

// Empty groups are made by the grammar directly and given back here too, so
// only a few are kept.
void give_back_declared_list(std::vector<DeclaredParam>* list) {
  if (spare_declared_lists.size() >= 16) {
    delete list;
    return;
  }
  list->clear();
  spare_declared_lists.push_back(list);
}

// The top rule may be reduced before its lookahead is read; anything but the
// end of the input after it is an error that must stop the run before the
// generator writes a line.
void dispatch_at_end_of_input() {
  if (yychar == YYEMPTY) yychar = yylex();
  if (yychar != YYEOF) return;
  parser_state().input_read = true;
  release_lexer_input();
  run_generator_dispatch();
}
}  // namespace

#if YYDEBUG
// The same grammar compiled without the trace (def/def_parser_untraced.cpp):
// it saves a test of the trace flag at every step of every parse.
int untraced_yyparse();

int parse_definition_files() {
  yydebug = settings().parser_trace ? 1 : 0;
  try {
    // yyparse gives 2 when its stack is full (YYMAXDEPTH): deeply nested
    // expressions, which deserve their line rather than the generic message.
    int result = yydebug ? yyparse() : untraced_yyparse();
    if (result == 2) parse_error("nesting too deep");
    return result;
  } catch (const std::bad_alloc&) {
    // Allocation failures after the whole input was read belong to the
    // generator, not to the definition files.
    if (parser_state().input_read) throw;
    parse_error("Speicherallokierung fehlgeschlagen");
  }
}
#endif
