#pragma once
// Values the user types into the insert dialogs, made safe for the markup.
#include <QString>
#include <optional>

namespace ink {

// A value typed by the user for a double-quoted attribute: `"` becomes
// `&quot;` so the value cannot end the attribute early. Everything else stays
// as typed (users type entities on purpose).
QString quotedAttributeValue(const QString& typed);

// A typed value for an attribute the dialogs write without quotes: kept as it
// is while it is one word, written in double quotes (with `&quot;` inside)
// when it holds a blank, a quote, "=", "<", ">" or "`", which would end the
// value or start another attribute.
QString attributeValueAsTyped(const QString& typed);

// A length typed for height or width, with "%" when Percentage is chosen.
struct Length {
    QString text;
    bool percentage = false;
};

// The value a length is written with: the number, with "%" when it was typed
// with one or Percentage is chosen. The field takes a number, a number with
// "%" or a number with "px" (written as the number alone, which browsers read
// as pixels), blanks around them allowed. Nothing when the text is empty or
// no such length.
std::optional<QString> lengthValue(const Length& length);

// The short message a length field shows beside it when its text is no
// length the dialogs can write; "" when the text is fine or empty.
QString lengthFieldMessage(const QString& typed);

}
