// Expression printer: rebuilds the infix text of a postfix assertion or
// value_number list with a stack of printed operands.
#include "gen/expression_printer.h"


#include "driver/diagnostics.h"

namespace {

// Binding strength of the definition grammar, loosest first; every binary
// operator is left-associative. Operands and unary forms bind tightest.
enum Binding {
  binding_or = 1,
  binding_and,
  binding_equality,
  binding_relation,
  binding_additive,
  binding_multiplicative,
  binding_unary,
  binding_operand,
};

struct BinaryOperator {
  const char* token;
  const char* printed;
  int binding;
};

const BinaryOperator binary_operators[] = {
    {"\\OR", "||", binding_or},          {"\\AND", "&&", binding_and},
    {"\\EQ", "==", binding_equality},    {"\\NEQ", "!=", binding_equality},
    {"\\GE", ">=", binding_relation},    {"\\GT", ">", binding_relation},
    {"\\LE", "<=", binding_relation},    {"\\LT", "<", binding_relation},
    {"\\ADD", "+", binding_additive},    {"\\SUB", "-", binding_additive},
    {"\\MUL", "*", binding_multiplicative}, {"\\DIV", "/", binding_multiplicative},
    {"\\MOD", "%", binding_multiplicative},
};

const char* const function_names[] = {"length", "number", "height", "width", "ld", "odd", "even"};

struct Printed {
  std::string text;
  int binding;
};

const BinaryOperator* find_binary(const std::string& token) {
  for (const BinaryOperator& op : binary_operators)
    if (token == op.token) return &op;
  return nullptr;
}

bool is_function(const std::string& token) {
  for (const char* name : function_names)
    if (token == name) return true;
  return false;
}

Printed pop(std::vector<Printed>& stack) {
  if (stack.empty()) return Printed{"", binding_operand};
  Printed top = std::move(stack.back());
  stack.pop_back();
  return top;
}

std::string enclosed(const Printed& operand, bool needs_parentheses) {
  return needs_parentheses ? "(" + operand.text + ")" : operand.text;
}

}  // namespace

std::string print_expression(const std::vector<std::string>& postfix) {
  std::vector<Printed> stack;
  for (const std::string& token : postfix) {
    if (const BinaryOperator* op = find_binary(token)) {
      Printed right = pop(stack);
      Printed left = pop(stack);
      std::string left_text = enclosed(left, left.binding < op->binding);
      std::string right_text = enclosed(right, right.binding <= op->binding);
      stack.push_back({format_text("%s %s %s", left_text.c_str(), op->printed, right_text.c_str()),
                       op->binding});
    } else if (token == "\\NOT" || token == "\\NEG") {
      Printed operand = pop(stack);
      std::string operand_text = enclosed(operand, operand.binding < binding_unary);
      stack.push_back({format_text("%s %s", token == "\\NOT" ? "~" : "-", operand_text.c_str()),
                       binding_unary});
    } else if (is_function(token)) {
      Printed argument = pop(stack);
      stack.push_back({format_text("%s(%s)", token.c_str(), argument.text.c_str()), binding_operand});
    } else {
      stack.push_back({token, binding_operand});
    }
  }
  std::string result;
  for (const Printed& entry : stack) {
    if (!result.empty()) result += ' ';
    result += entry.text;
  }
  return result;
}
