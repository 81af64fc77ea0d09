#include "runtime/expression/expression.hpp"

#include <cmath>
#include <limits>
#include <optional>

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/expression/expression_syntax.hpp"

namespace rt {

namespace {

std::optional<double> literal_number(std::string_view name) {
    if (name == "Inf" || name == "inf") return std::numeric_limits<double>::infinity();
    if (name == "NaN" || name == "nan") return std::numeric_limits<double>::quiet_NaN();
    return std::nullopt;
}

class Evaluator {
public:
    explicit Evaluator(EvalContext& ctx) : ctx_(ctx) {}

    void run(const ExprStatement& st, bool print) {
        const ExprNode& e = st.expression;
        const bool call = is_call(e);
        if (st.outputs.size() > 1) {
            if (!call) raise("Only a function call can give several outputs.");
            std::vector<Value> outs = call_node(e, static_cast<int>(st.outputs.size()));
            for (std::size_t i = 0; i < st.outputs.size(); ++i) {
                if (i >= outs.size() || outs[i].is_unassigned() || outs[i].is_absent()) {
                    raise("Output " + std::to_string(i + 1) + " (" + st.outputs[i] + ") of '" + e.text +
                          "' was not assigned.");
                }
            }
            for (std::size_t i = 0; i < st.outputs.size(); ++i) assign(st.outputs[i], outs[i], print);
            return;
        }
        if (st.outputs.size() == 1) {
            assign(st.outputs[0], value(e), print);
            return;
        }
        if (call) {
            std::vector<Value> outs = call_node(e, 0);
            if (!outs.empty() && !outs[0].is_unassigned() && !outs[0].is_absent()) assign("ans", outs[0], print);
            return;
        }
        if (e.kind == ExprNode::Kind::Name && !e.has_arguments && ctx_.find(e.text)) {
            if (print) print_array(*ctx_.find(e.text), e.text);
            return;
        }
        assign("ans", value(e), print);
    }

private:
    void assign(const std::string& name, Value v, bool print) {
        if (print) print_array(v, name);
        ctx_.assign(name, std::move(v));
    }

    // A name that is no variable (nor Inf/NaN) is a call by name.
    bool is_call(const ExprNode& e) const {
        return e.kind == ExprNode::Kind::Name && !ctx_.find(e.text) && !(literal_number(e.text) && !e.has_arguments);
    }

    std::vector<Value> call_node(const ExprNode& e, int nargout) {
        std::vector<Value> args;
        args.reserve(e.arguments.size());
        for (const ExprNode& a : e.arguments) args.push_back(value(a));
        return feval(e.text, nargout, args);
    }

    Value value(const ExprNode& e) {
        switch (e.kind) {
            case ExprNode::Kind::Number: return Value(e.number);
            case ExprNode::Kind::Text: return Value::string(e.text);
            case ExprNode::Kind::Negate: return uminus(value(e.arguments[0]));
            case ExprNode::Kind::Field: {
                Value base = value(e.arguments[0]);
                if (!base.is_struct()) raise("Field reference '." + e.text + "' of a value that is not a structure.");
                return base.field(e.text);
            }
            case ExprNode::Kind::Matrix: return matrix(e);
            case ExprNode::Kind::Cell: return cell(e);
            case ExprNode::Kind::Name: break;
        }
        if (const Value* var = ctx_.find(e.text)) return indexed(*var, e);
        if (!e.has_arguments) {
            if (auto n = literal_number(e.text)) return Value(*n);
        }
        std::vector<Value> outs = call_node(e, 1);
        if (outs.empty() || outs[0].is_unassigned() || outs[0].is_absent()) {
            raise("The function '" + e.text + "' gave no value to use.");
        }
        return outs[0];
    }

    Value indexed(const Value& var, const ExprNode& e) {
        if (!e.has_arguments) return var;
        std::vector<Value> idx;
        for (const ExprNode& a : e.arguments) idx.push_back(value(a));
        if (idx.size() == 1) return array_ref1(var, idx[0]);
        if (idx.size() == 2) return array_ref2(var, idx[0], idx[1]);
        raise("Index of '" + e.text + "' with more than two subscripts.");
    }

    Value matrix(const ExprNode& e) {
        std::vector<Value> rows;
        for (const auto& row : e.rows) {
            std::vector<Value> parts;
            for (const ExprNode& element : row) parts.push_back(value(element));
            rows.push_back(parts.size() == 1 ? parts[0] : horzcat(parts));
        }
        if (rows.empty()) return Value::empty();
        return rows.size() == 1 ? rows[0] : vertcat(rows);
    }

    Value cell(const ExprNode& e) {
        if (e.rows.empty()) return Value::cell(0, 0);
        const std::size_t cols = e.rows[0].size();
        for (const auto& row : e.rows) {
            if (row.size() != cols) raise("The rows of a cell array must have the same number of elements.");
        }
        Value c = Value::cell(e.rows.size(), cols);
        for (std::size_t r = 0; r < e.rows.size(); ++r) {
            for (std::size_t k = 0; k < cols; ++k) c.mutable_cell_at(k * e.rows.size() + r) = value(e.rows[r][k]);
        }
        return c;
    }

    EvalContext& ctx_;
};

}  // namespace

const Value* EvalContext::find(std::string_view name) const {
    for (const auto& [key, value] : variables_) {
        if (key == name) return &value;
    }
    return nullptr;
}

void EvalContext::assign(std::string_view name, Value value) {
    for (auto& [key, v] : variables_) {
        if (key == name) {
            v = std::move(value);
            return;
        }
    }
    variables_.emplace_back(std::string(name), std::move(value));
}

void evaluate(std::string_view text, EvalContext& ctx, bool print) {
    std::vector<ExprStatement> statements = parse_statements(text);
    Evaluator ev(ctx);
    for (const ExprStatement& st : statements) ev.run(st, print && st.print);
}

}  // namespace rt
