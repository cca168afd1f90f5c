#include "outside/torvane/desk/CalcExpression.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace {

class TParser {
public:
    explicit TParser(const std::string& text) : text_(text) {}

    std::optional<double> Parse() {
        std::optional<double> value = Sum();
        Skip();
        if (!value || pos_ != text_.size()) return std::nullopt;
        return value;
    }

private:
    void Skip() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    bool Take(char c) {
        Skip();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    std::optional<double> Sum() {
        std::optional<double> value = Product();
        while (value) {
            if (Take('+')) {
                auto right = Product();
                if (!right) return std::nullopt;
                *value += *right;
            } else if (Take('-')) {
                auto right = Product();
                if (!right) return std::nullopt;
                *value -= *right;
            } else {
                break;
            }
        }
        return value;
    }
    std::optional<double> Product() {
        std::optional<double> value = Factor();
        while (value) {
            if (Take('*')) {
                auto right = Factor();
                if (!right) return std::nullopt;
                *value *= *right;
            } else if (Take('/')) {
                auto right = Factor();
                if (!right || *right == 0) return std::nullopt;
                *value /= *right;
            } else {
                break;
            }
        }
        return value;
    }
    std::optional<double> Factor() {
        if (Take('-')) {
            auto value = Factor();
            return value ? std::optional<double>(-*value) : std::nullopt;
        }
        if (Take('+')) return Factor();
        if (Take('(')) {
            auto value = Sum();
            if (!value || !Take(')')) return std::nullopt;
            return value;
        }
        return Number();
    }
    std::optional<double> Number() {
        Skip();
        std::string digits;
        bool point = false;
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (std::isdigit(static_cast<unsigned char>(c))) {
                digits += c;
            } else if (c == '.' && !point) {
                point = true;
                digits += c;
            } else if (c == ',' && !digits.empty() && !point && pos_ + 1 < text_.size() &&
                       std::isdigit(static_cast<unsigned char>(text_[pos_ + 1]))) {
                // thousands separator
            } else {
                break;
            }
            ++pos_;
        }
        if (digits.empty() || digits == ".") return std::nullopt;
        double value = 0;  // independent of the C locale
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
        return value;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::optional<double> EvaluateExpression(const std::string& text) {
    std::optional<double> value = TParser(text).Parse();
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::string CalcValueText(double value) {
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 10);
    std::string text = error == std::errc() ? std::string(buffer, end) : std::string("0");
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    if (text == "-0") text = "0";
    return text;
}
