%{
// Grammar of the kernel descriptor language. The actions call the table
// builders of kernel_descriptors.cpp.
#include <cstdlib>

#include "opencl/kernel_descriptors.h"

int kdlex();
void kderror(const char* message);
%}

%code requires {
#include <string>
#include <vector>
}

%define api.prefix {kd}
%define api.token.prefix {KD_}
%define parse.error verbose

%union {
  char* text;
  std::vector<std::string>* names;
}

%token KERNEL "kernel" NAME "name" VORNIXNAME "vornix_name"
%token BW_DEF "block_width_define" BH_DEF "block_height_define"
%token DEFAULT_BW "default_block_width" DEFAULT_BH "default_block_height"
%token EXTENSIONS "extensions" CFLAGS "compiler_flags" OPERATORS "operators"
%token ARROW "<-"
%token <text> FILENAME "file name" IDENTIFIER "identifier" NUMBER "number"
%token <text> QSTRING "quoted string" STRING "value"
%type <names> identifier_list

%destructor { std::free($$); } <text>
%destructor { delete $$; } <names>

%%

file_list
  : file_list kernel_file
  | kernel_file
  ;

identifier_list
  : %empty { $$ = new std::vector<std::string>(); }
  | IDENTIFIER { $$ = new std::vector<std::string>(); $$->push_back(kd_take_text($1)); }
  | identifier_list ',' IDENTIFIER { $$ = $1; $$->push_back(kd_take_text($3)); }
  ;

file_head
  : IDENTIFIER ARROW FILENAME {
      std::free($1);
      if (!kd_open_kernel_file(kd_take_text($3))) YYABORT;
    }
  ;

kernel_element
  : NAME ':' IDENTIFIER ';' { kd_set_kernel_name(kd_take_text($3)); }
  | VORNIXNAME ':' IDENTIFIER ';' { kd_set_vornix_name(kd_take_text($3)); }
  | BW_DEF ':' IDENTIFIER ';' { kd_set_block_width_define(kd_take_text($3)); }
  | BH_DEF ':' IDENTIFIER ';' { kd_set_block_height_define(kd_take_text($3)); }
  | DEFAULT_BW ':' NUMBER ';' { if (!kd_set_default_block_width(kd_take_text($3))) YYABORT; }
  | DEFAULT_BH ':' NUMBER ';' { if (!kd_set_default_block_height(kd_take_text($3))) YYABORT; }
  | OPERATORS ':' identifier_list ';' { kd_add_kernel_operators(*$3); delete $3; }
  ;

kernel_fields
  : kernel_element kernel_fields
  | kernel_element
  ;

file_option
  : CFLAGS ':' QSTRING ';' { kd_set_compile_flags(kd_take_text($3)); }
  | OPERATORS ':' identifier_list ';' { kd_set_file_operators(*$3); delete $3; }
  | EXTENSIONS ':' identifier_list ';' {
      bool known = kd_set_extensions(*$3);
      delete $3;
      if (!known) YYABORT;
    }
  ;

file_options
  : file_options file_option
  | file_option
  ;

kernel
  : KERNEL { kd_open_kernel(); } kernel_fields { if (!kd_close_kernel()) YYABORT; }
  ;

kernel_list
  : kernel_list kernel
  | kernel
  ;

kernel_file
  : file_head file_options kernel_list
  | file_head kernel_list
  ;

%%

void kderror(const char* message) { kd_report_syntax_error(message); }
