%{
// Placeholder grammar: replaced by the kernel descriptor grammar.
int kdlex();
void kderror(const char*) {}
%}
%define api.prefix {kd}
%%
start: ;
%%
