#pragma once
#include "platform/SourceTree.h"

#include <QString>

#include <memory>
#include <optional>

namespace ink {

// Writes the design surface's document back as the text it was loaded from
// with only the changed parts written anew, from the surface's description
// of its changes (see mergeSource). Keeps the parse of the loaded text
// between calls.
class WebEngineSourceWriter {
public:
    // None when the description does not fit the loaded text; the caller
    // then writes the whole document in the program's own form.
    std::optional<QString> write(const QString& loadedText, const QString& changesJson);

private:
    const SourceTree& tree(bool withLineEnd);

    QString text_;
    std::unique_ptr<SourceTree> trees_[2];
};

}
