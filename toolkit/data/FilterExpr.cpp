#include "toolkit/data/FilterExpr.h"

#include <cctype>

#include "toolkit/data/DataSet.h"
#include "toolkit/rtl/SysUtils.h"

struct TFilterExpression::Node {
    enum Kind {
        Literal,
        FieldRef,
        And,
        Or,
        Not,
        Compare,
        IsNull
    } kind = Literal;
    Variant value;        // literal
    std::string name;     // field
    int slot = -1;        // field bound
    std::string op;       // compare
    bool negate = false;  // is not null
    std::shared_ptr<Node> a, b;
};

namespace {
using NodePtr = std::shared_ptr<TFilterExpression::Node>;
using Node = TFilterExpression::Node;

struct Token {
    enum Kind {
        End,
        Ident,
        String,
        Number,
        Op,
        LParen,
        RParen
    } kind = End;
    std::string text;
};

class Parser {
public:
    Parser(const std::string& text, std::vector<NodePtr>& fields) : text_(text), fields_(fields) { Advance(); }

    NodePtr ParseAll() {
        NodePtr n = ParseOr();
        if (tok_.kind != Token::End) Fail();
        return n;
    }

private:
    [[noreturn]] void Fail() const { throw EDatabaseError("Invalid filter expression: " + text_); }

    void Advance() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        tok_ = Token{};
        if (pos_ >= text_.size()) return;
        char c = text_[pos_];
        if (c == '(') {
            tok_ = {Token::LParen, "("};
            ++pos_;
        } else if (c == ')') {
            tok_ = {Token::RParen, ")"};
            ++pos_;
        } else if (c == '\'') {
            std::string s;
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size()) Fail();
                if (text_[pos_] == '\'') {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                        s += '\'';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                s += text_[pos_++];
            }
            tok_ = {Token::String, s};
        } else if (c == '[') {
            auto end = text_.find(']', pos_);
            if (end == std::string::npos) Fail();
            tok_ = {Token::Ident, text_.substr(pos_ + 1, end - pos_ - 1)};
            pos_ = end + 1;
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '.' ||
                   (c == '-' && pos_ + 1 < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])))) {
            std::size_t start = pos_++;
            while (pos_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '.')) ++pos_;
            tok_ = {Token::Number, text_.substr(start, pos_ - start)};
        } else if (c == '=' || c == '<' || c == '>' || c == '!') {
            std::string op(1, c);
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '=' || (c == '<' && text_[pos_] == '>'))) op += text_[pos_++];
            if (op == "!") Fail();
            tok_ = {Token::Op, op};
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80) {
            std::size_t start = pos_;
            while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' ||
                                           static_cast<unsigned char>(text_[pos_]) >= 0x80))
                ++pos_;
            tok_ = {Token::Ident, text_.substr(start, pos_ - start)};
        } else {
            Fail();
        }
    }

    bool IsWord(const char* w) const { return tok_.kind == Token::Ident && SameText(tok_.text, w); }

    NodePtr Make(Node::Kind kind, NodePtr a, NodePtr b = nullptr) {
        auto n = std::make_shared<Node>();
        n->kind = kind;
        n->a = std::move(a);
        n->b = std::move(b);
        return n;
    }

    NodePtr ParseOr() {
        NodePtr left = ParseAnd();
        while (IsWord("or")) {
            Advance();
            left = Make(Node::Or, left, ParseAnd());
        }
        return left;
    }

    NodePtr ParseAnd() {
        NodePtr left = ParseNot();
        while (IsWord("and")) {
            Advance();
            left = Make(Node::And, left, ParseNot());
        }
        return left;
    }

    NodePtr ParseNot() {
        if (IsWord("not")) {
            Advance();
            return Make(Node::Not, ParseNot());
        }
        return ParseCompare();
    }

    NodePtr ParseCompare() {
        NodePtr left = ParsePrimary();
        if (IsWord("is")) {
            Advance();
            auto n = Make(Node::IsNull, left);
            if (IsWord("not")) {
                n->negate = true;
                Advance();
            }
            if (!IsWord("null")) Fail();
            Advance();
            return n;
        }
        if (tok_.kind == Token::Op) {
            std::string op = tok_.text == "!=" ? "<>" : tok_.text;
            Advance();
            auto n = Make(Node::Compare, left, ParsePrimary());
            n->op = op;
            return n;
        }
        return left;
    }

    NodePtr ParsePrimary() {
        auto n = std::make_shared<Node>();
        switch (tok_.kind) {
            case Token::LParen: {
                Advance();
                NodePtr inner = ParseOr();
                if (tok_.kind != Token::RParen) Fail();
                Advance();
                return inner;
            }
            case Token::String: n->value = Variant(tok_.text); break;
            case Token::Number: {
                double d = 0;
                if (!TryStrToFloat(tok_.text, d)) Fail();
                n->value = Variant(d);
                break;
            }
            case Token::Ident:
                if (SameText(tok_.text, "null")) {
                    n->value = Variant::Null();
                } else if (SameText(tok_.text, "true") || SameText(tok_.text, "false")) {
                    n->value = Variant(SameText(tok_.text, "true"));
                } else {
                    n->kind = Node::FieldRef;
                    n->name = tok_.text;
                    fields_.push_back(n);
                }
                break;
            default: Fail();
        }
        Advance();
        return n;
    }

    std::string text_;
    std::size_t pos_ = 0;
    Token tok_;
    std::vector<NodePtr>& fields_;
};

Variant ValueOf(const Node& n, const std::vector<Variant>& row) {
    if (n.kind == Node::Literal) return n.value;
    auto slot = static_cast<std::size_t>(n.slot);
    if (n.slot < 0 || slot >= row.size() || row[slot].IsEmpty()) return Variant::Null();
    return row[slot];
}

bool Eval(const Node& n, const std::vector<Variant>& row) {
    switch (n.kind) {
        case Node::And: return Eval(*n.a, row) && Eval(*n.b, row);
        case Node::Or: return Eval(*n.a, row) || Eval(*n.b, row);
        case Node::Not: return !Eval(*n.a, row);
        case Node::IsNull: return ValueOf(*n.a, row).IsNull() != n.negate;
        case Node::Compare: {
            Variant l = ValueOf(*n.a, row), r = ValueOf(*n.b, row);
            if (l.IsNull() || r.IsNull())
                return n.op == "=" ? (l.IsNull() && r.IsNull()) : (n.op == "<>" && l.IsNull() != r.IsNull());
            if ((n.op == "=" || n.op == "<>") && r.IsString() && n.b->kind == Node::Literal) {
                std::string want = r.AsString();
                if (!want.empty() && want.back() == '*') {
                    want.pop_back();
                    bool prefix = l.AsString().compare(0, want.size(), want) == 0;
                    return n.op == "=" ? prefix : !prefix;
                }
            }
            int c = VarCompare(l, r);
            if (n.op == "=") return c == 0;
            if (n.op == "<>") return c != 0;
            if (n.op == "<") return c < 0;
            if (n.op == ">") return c > 0;
            if (n.op == "<=") return c <= 0;
            return c >= 0;
        }
        case Node::FieldRef:
        case Node::Literal: {
            Variant v = ValueOf(n, row);
            return !v.IsNull() && v.AsBool();
        }
    }
    return false;
}
}  // namespace

std::shared_ptr<TFilterExpression> TFilterExpression::Parse(const std::string& text) {
    auto e = std::make_shared<TFilterExpression>();
    Parser p(text, e->fieldNodes_);
    e->root_ = p.ParseAll();
    return e;
}

void TFilterExpression::Bind(const TDataSet& dataSet) {
    for (auto& n : fieldNodes_) {
        TField* f = dataSet.FieldByName(n->name);
        n->slot = f->Calculated() ? -1 : f->Slot();
    }
}

bool TFilterExpression::Evaluate(const std::vector<Variant>& row) const { return root_ && Eval(*root_, row); }
