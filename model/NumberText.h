#pragma once
// Texts that hold numbers ("8.0 in PCC with #5 bars", "Modulus of Rupture = 0.49 ksi"). The model
// builds them from the numbers and never writes a decimal separator itself: whoever shows a text
// writes its numbers, the window and the report in the reader's form (platform::FormatFixedText),
// the model's tests in the C form.

#include <charconv>
#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Writes `format` with each "%.Nf" conversion replaced by number(value, N) of the next value in
// turn and "%%" by "%"; a conversion left without a value, and every other character, stays as it
// stands. `number` returns the digits as UTF-8.
template <class Number>
std::string ComposeNumbers(std::string_view format, std::span<const double> values, Number number) {
    std::string text;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            text += '%';
            ++i;
            continue;
        }
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '.') {
            size_t j = i + 2;
            int digits = 0;
            while (j < format.size() && format[j] >= '0' && format[j] <= '9')
                digits = digits * 10 + (format[j++] - '0');
            if (j < format.size() && format[j] == 'f' && next < values.size()) {
                text += number(values[next++], digits);
                i = j;
                continue;
            }
        }
        text += format[i];
    }
    return text;
}

// A text with numbers: a format whose "%.Nf" conversions take Values in order.
struct TNumberText {
    std::string Format;
    std::vector<double> Values;

    // The numbers written in the C form, whatever the locale: "8.0 in PCC with ...".
    std::string CForm() const {
        return ComposeNumbers(Format, Values, [](double v, int digits) -> std::string {
            if (!std::isfinite(v)) return "N.A.";
            char buffer[64];
            const auto end =
                std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, digits);
            return end.ec == std::errc() ? std::string(buffer, end.ptr) : std::string("N.A.");
        });
    }
    bool operator==(const TNumberText&) const = default;
};

} // namespace vantrel
