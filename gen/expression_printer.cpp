// Expression printer: rebuilds the infix text of a postfix assertion or
// value_number list as a tree, then prints the tree.
#include "gen/expression_printer.h"

#include <string_view>

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
  std::string_view token;
  std::string_view printed;
  int binding;
};

constexpr BinaryOperator binary_operators[] = {
    {"\\OR", "||", binding_or},          {"\\AND", "&&", binding_and},
    {"\\EQ", "==", binding_equality},    {"\\NEQ", "!=", binding_equality},
    {"\\GE", ">=", binding_relation},    {"\\GT", ">", binding_relation},
    {"\\LE", "<=", binding_relation},    {"\\LT", "<", binding_relation},
    {"\\ADD", "+", binding_additive},    {"\\SUB", "-", binding_additive},
    {"\\MUL", "*", binding_multiplicative}, {"\\DIV", "/", binding_multiplicative},
    {"\\MOD", "%", binding_multiplicative},
};

constexpr std::string_view function_names[] = {"length", "number", "height", "width", "ld", "odd", "even"};

// The expression as a tree: operands are leaves; a missing operand is -1.
struct Node {
  const std::string* token;
  const BinaryOperator* binary = nullptr;  // for binary operators
  int first = -1;                           // left operand or only argument
  int second = -1;                          // right operand
  int binding = binding_operand;
  enum Kind { operand, binary_operator, unary_operator, function } kind = operand;
};

// Every operator word starts with a backslash.
const BinaryOperator* find_binary(std::string_view token) {
  if (token.empty() || token[0] != '\\') return nullptr;
  for (const BinaryOperator& op : binary_operators)
    if (token == op.token) return &op;
  return nullptr;
}

bool is_function(std::string_view token) {
  for (std::string_view name : function_names)
    if (token == name) return true;
  return false;
}

int pop(std::vector<int>& stack) {
  if (stack.empty()) return -1;
  int top = stack.back();
  stack.pop_back();
  return top;
}

// One step of the printing: a node still to print, or a piece of text.
struct Step {
  int node;
  std::string_view text;
};

// Prints a tree without recursion, so that neither a long flat sum nor a
// deep nesting costs more than its length: the steps wait on a stack in
// reverse order of output.
void print_tree(const std::vector<Node>& nodes, int root, std::string& out) {
  auto binding = [&](int node) { return node < 0 ? int{binding_operand} : nodes[node].binding; };
  std::vector<Step> steps;
  steps.reserve(16);  // enough for a usual assertion; a longer one grows
  steps.push_back({root, {}});
  while (!steps.empty()) {
    Step step = steps.back();
    steps.pop_back();
    if (step.node < 0) {
      out += step.text;
      continue;
    }
    const Node& n = nodes[step.node];
    switch (n.kind) {
      case Node::operand:
        out += *n.token;
        break;
      case Node::binary_operator: {
        // left op right; the right operand of a left-associative operator
        // is enclosed when it binds equally
        bool left_enclosed = binding(n.first) < n.binding;
        bool right_enclosed = binding(n.second) <= n.binding;
        if (right_enclosed) steps.push_back({-1, ")"});
        steps.push_back({n.second, {}});
        if (right_enclosed) steps.push_back({-1, "("});
        steps.push_back({-1, " "});
        steps.push_back({-1, n.binary->printed});
        steps.push_back({-1, " "});
        if (left_enclosed) steps.push_back({-1, ")"});
        steps.push_back({n.first, {}});
        if (left_enclosed) steps.push_back({-1, "("});
        break;
      }
      case Node::unary_operator: {
        bool enclosed = binding(n.first) < binding_unary;
        if (enclosed) steps.push_back({-1, ")"});
        steps.push_back({n.first, {}});
        if (enclosed) steps.push_back({-1, "("});
        out += std::string_view(*n.token) == "\\NOT" ? "~ " : "- ";
        break;
      }
      case Node::function:
        steps.push_back({-1, ")"});
        steps.push_back({n.first, {}});
        out += *n.token;
        out += '(';
        break;
    }
  }
}

}  // namespace

std::string print_expression(const std::vector<std::string>& postfix) {
  std::vector<Node> nodes;
  nodes.reserve(postfix.size());
  std::vector<int> stack;
  stack.reserve(postfix.size());
  for (const std::string& token : postfix) {
    Node node{&token};
    std::string_view word = token;
    if (const BinaryOperator* op = find_binary(word)) {
      node.kind = Node::binary_operator;
      node.binary = op;
      node.binding = op->binding;
      node.second = pop(stack);
      node.first = pop(stack);
    } else if (word == "\\NOT" || word == "\\NEG") {
      node.kind = Node::unary_operator;
      node.binding = binding_unary;
      node.first = pop(stack);
    } else if (is_function(word)) {
      node.kind = Node::function;
      node.first = pop(stack);
    }
    nodes.push_back(node);
    stack.push_back(static_cast<int>(nodes.size()) - 1);
  }
  std::string result;
  for (size_t i = 0; i < stack.size(); ++i) {
    if (i > 0) result += ' ';
    print_tree(nodes, stack[i], result);
  }
  return result;
}
