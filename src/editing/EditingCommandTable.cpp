#include "editing/EditingCommandTable.h"

#include "platform/DesignSurface.h"

namespace ink {

namespace {

const QString Q = QStringLiteral("\"");

QString startTag(const QString& tag)
{
    return QLatin1Char('<') + tag + QLatin1Char('>');
}

QString endTag(const QString& tag)
{
    return QStringLiteral("</") + tag + QLatin1Char('>');
}

EditingCommand named(const char* name, const char* caption, const char* toolbarKey = "")
{
    EditingCommand command;
    command.name = QLatin1String(name);
    command.caption = QLatin1String(caption);
    command.toolbarKey = QLatin1String(toolbarKey);
    return command;
}

void designCommand(EditingCommand& command, int id, bool focusAfter = true)
{
    command.designOperation = DesignOperation::Command;
    command.designCommand = id;
    command.focusAfter = focusAfter;
}

void designWrap(EditingCommand& command, const QString& opening, const QString& closing,
                bool stripBlock, bool reselect)
{
    command.designOperation = DesignOperation::Wrap;
    command.designOpening = opening;
    command.designClosing = closing;
    command.stripBlock = stripBlock;
    command.reselect = reselect;
    command.focusAfter = true;
}

void designPaste(EditingCommand& command, const QString& html, bool focusAfter,
                 const KeySequence& keys = {})
{
    command.designOperation = DesignOperation::Paste;
    command.designOpening = html;
    command.focusAfter = focusAfter;
    command.designKeys = keys;
}

void codeWrap(EditingCommand& command, const QString& opening, const QString& closing)
{
    command.codeOperation = CodeOperation::Wrap;
    command.codeOpening = opening;
    command.codeClosing = closing;
}

// Bold, italic and underline use the surface's own commands; the other
// character styles wrap the selection's HTML in their element.
EditingCommand characterStyle(const char* name, const char* caption, const char* toolbarKey,
                              const char* tag, int surfaceCommand)
{
    EditingCommand command = named(name, caption, toolbarKey);
    command.codeOperation = CodeOperation::ToggleTag;
    command.codeOpening = QLatin1String(tag);
    if (surfaceCommand != 0)
        designCommand(command, surfaceCommand);
    else
        designWrap(command, startTag(command.codeOpening), endTag(command.codeOpening), true, true);
    return command;
}

EditingCommand alignment(const char* name, const char* caption, const QString& opening,
                         const QString& closing, int surfaceCommand)
{
    EditingCommand command = named(name, caption, name);
    codeWrap(command, opening, closing);
    designCommand(command, surfaceCommand);
    return command;
}

EditingCommand elementWrap(const char* name, const char* caption, const QString& opening,
                           const QString& closing, bool stripBlock, bool reselect)
{
    EditingCommand command = named(name, caption);
    codeWrap(command, opening, closing);
    designWrap(command, opening, closing, stripBlock, reselect);
    return command;
}

// Inserted as it stands in either view, left selected in the source.
EditingCommand singleElement(const char* name, const char* caption, const QString& text,
                             const char* toolbarKey = "")
{
    EditingCommand command = named(name, caption, toolbarKey);
    command.codeOperation = CodeOperation::Replace;
    command.codeOpening = text;
    designPaste(command, text, false);
    return command;
}

EditingCommand list(const char* name, const char* caption, const char* tag,
                    const char* toolbarKey = "")
{
    EditingCommand command = named(name, caption, toolbarKey);
    const QString opening = startTag(QLatin1String(tag)) + QStringLiteral("<li>");
    const QString closing = QStringLiteral("</li>") + endTag(QLatin1String(tag));
    command.codeOperation = CodeOperation::List;
    command.codeOpening = command.designOpening = opening;
    command.codeClosing = command.designClosing = closing;
    command.designOperation = DesignOperation::List;
    command.focusAfter = true;
    return command;
}

QString inputField(const QString& type, const QString& attributes)
{
    return QStringLiteral("<input type=") + Q + type + Q + attributes + QLatin1Char('>');
}

QString emptyAttribute(const char* name)
{
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + Q + Q;
}

QString attribute(const char* name, const char* value)
{
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + Q + QLatin1String(value) + Q;
}

void addCharacterStyles(std::vector<EditingCommand>& table)
{
    table.push_back(characterStyle("bold", "&Bold", "bold", "STRONG", DesignCmd::Bold));
    table.push_back(characterStyle("italic", "&Italic", "italic", "EM", DesignCmd::Italic));
    table.push_back(characterStyle("underline", "&Underline", "underline", "U", DesignCmd::Underline));
    table.push_back(characterStyle("strike", "&Strikethrough", "", "STRIKE", 0));
    table.push_back(characterStyle("teletype", "&Teletype", "", "TT", 0));
    table.push_back(characterStyle("keyboarddata", "&Key Board Data", "", "KBD", 0));
    table.push_back(characterStyle("preformat", "&Preformat", "", "PRE", 0));

    EditingCommand paragraph = named("pagebreak", "&Paragraph");
    paragraph.codeOperation = CodeOperation::ToggleTag;
    paragraph.codeOpening = QStringLiteral("P");
    designPaste(paragraph, QStringLiteral("<P>"), true);
    table.push_back(paragraph);
}

void addBlockCommands(std::vector<EditingCommand>& table)
{
    const QString div = QStringLiteral("</div>");
    table.push_back(alignment("left", "&Left", QStringLiteral("<div align=left>"), div,
                              DesignCmd::JustifyLeft));
    table.push_back(alignment("center", "&Center", QStringLiteral("<div align=center>"), div,
                              DesignCmd::JustifyCenter));
    table.push_back(alignment("right", "&Right", QStringLiteral("<div align=right>"), div,
                              DesignCmd::JustifyRight));
    table.push_back(alignment("tab", "&Indent",
                              QStringLiteral("<BLOCKQUOTE dir=ltr style=") + Q
                                  + QStringLiteral("MARGIN-RIGHT: 0px") + Q + QLatin1Char('>'),
                              QStringLiteral("</BLOCKQUOTE>"), DesignCmd::Indent));

    // The menu entry is disabled in the Code view, but the tool bar button
    // is not; there it takes off the indent that Indent put on.
    EditingCommand outdent = named("outdent", "&Outdent", "outdent");
    outdent.codeOperation = CodeOperation::Outdent;
    designCommand(outdent, DesignCmd::Outdent);
    table.push_back(outdent);

    EditingCommand breakLine = named("breakline", "Break &Line", "breakline");
    breakLine.codeOperation = CodeOperation::BreakLine;
    designPaste(breakLine, QStringLiteral("<div></div>"), true, {Key::Left});
    table.push_back(breakLine);

    EditingCommand removeFormat = named("removeformat", "&Remove Formatting");
    designCommand(removeFormat, DesignCmd::RemoveFormat, false);
    table.push_back(removeFormat);
}

void addElements(std::vector<EditingCommand>& table)
{
    table.push_back(singleElement("horizontalrule", "&Horizontal Rule", QStringLiteral("<hr>"),
                                  "horizontalrule"));

    EditingCommand comment = named("comment", "&Comment");
    codeWrap(comment, QStringLiteral("<!--"), QStringLiteral("-->"));
    table.push_back(comment);

    table.push_back(list("orderedlist", "&Ordered List", "ol"));
    table.push_back(list("unorderedlist", "&Unordered List", "ul", "bullets"));
    table.push_back(list("orderedlist2", "&Ordered List", "ol"));
    table.push_back(list("unorderedlist2", "&Unordered List", "ul"));

    EditingCommand absolute = named("makeabsolute", "&Make Absolute");
    codeWrap(absolute, QStringLiteral("<div style=") + Q + QStringLiteral("position:absolute") + Q
                           + QLatin1Char('>'),
             QStringLiteral("</div>"));
    designCommand(absolute, DesignCmd::MakeAbsolute);
    table.push_back(absolute);

    table.push_back(elementWrap("makeeditable", "Make &Editable",
                                QStringLiteral("<div contentEditable=true>"), QStringLiteral("</div>"),
                                true, true));
}

void addFormFields(std::vector<EditingCommand>& table)
{
    table.push_back(elementWrap("newform", "&New Form",
                                QStringLiteral("<form") + attribute("method", "post")
                                    + emptyAttribute("action") + attribute("enctype", "text/plain")
                                    + QLatin1Char('>'),
                                QStringLiteral("</form>"), true, true));
    table.push_back(elementWrap("textarea", "&Textarea",
                                QStringLiteral("<textarea") + emptyAttribute("name")
                                    + emptyAttribute("rows") + emptyAttribute("cols")
                                    + emptyAttribute("wrap") + QLatin1Char('>'),
                                QStringLiteral("</textarea>"), true, true));
    table.push_back(elementWrap("combobox", "&Combo Box",
                                QStringLiteral("<select") + emptyAttribute("name") + QLatin1Char('>'),
                                QStringLiteral("</select>"), true, true));
    table.push_back(elementWrap("listbox", "&List Box",
                                QStringLiteral("<select") + emptyAttribute("name")
                                    + attribute("size", "2") + QLatin1Char('>'),
                                QStringLiteral("</select>"), true, true));
    // An option keeps a selected paragraph's own tags.
    table.push_back(elementWrap("boxdata", "&Box Data",
                                QStringLiteral("<option") + emptyAttribute("value") + QLatin1Char('>'),
                                QStringLiteral("</option>"), false, true));

    const QString nameValue = emptyAttribute("name") + emptyAttribute("value");
    const QString sizes = emptyAttribute("size") + emptyAttribute("maxlength");
    table.push_back(singleElement("textinput", "&Text Input",
                                  inputField(QStringLiteral("text"), nameValue + sizes)));
    table.push_back(singleElement("passwordinput", "&Password Input",
                                  inputField(QStringLiteral("password"), nameValue + sizes)));
    table.push_back(singleElement("radioinput", "&Radio Input",
                                  inputField(QStringLiteral("radio"),
                                             nameValue + attribute("checked", "checked"))));
    table.push_back(singleElement("checkedinput", "&Checked Input",
                                  inputField(QStringLiteral("checkbox"),
                                             nameValue + attribute("checked", "checked"))));
    table.push_back(singleElement("hiddeninput", "&Hidden Input",
                                  inputField(QStringLiteral("hidden"), nameValue)));
    table.push_back(singleElement("submitbutton", "&Submit Button",
                                  inputField(QStringLiteral("submit"),
                                             attribute("value", "Submit Query"))));
    table.push_back(singleElement("resetbutton", "R&eset Button",
                                  inputField(QStringLiteral("reset"), attribute("value", "Reset"))));
}

std::vector<EditingCommand> buildTable()
{
    std::vector<EditingCommand> table;
    addCharacterStyles(table);
    addBlockCommands(table);
    addElements(table);
    addFormFields(table);
    return table;
}

}

const std::vector<EditingCommand>& editingCommands()
{
    static const std::vector<EditingCommand> table = buildTable();
    return table;
}

const EditingCommand* findEditingCommand(const QString& name)
{
    for (const EditingCommand& command : editingCommands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

const EditingCommand* findEditingCommandForToolbarKey(const QString& key)
{
    if (key.isEmpty())
        return nullptr;
    for (const EditingCommand& command : editingCommands()) {
        if (command.toolbarKey == key)
            return &command;
    }
    return nullptr;
}

std::optional<CodeEdit> codeEditForCommand(const EditingCommand& command, const QString& selected)
{
    switch (command.codeOperation) {
    case CodeOperation::Nothing:
        return std::nullopt;
    case CodeOperation::ToggleTag:
        return toggleCodeTag(selected, command.codeOpening);
    case CodeOperation::Wrap:
        return wrapCodeSelection(selected, command.codeOpening, command.codeClosing);
    case CodeOperation::Replace:
        return replaceCodeSelection(command.codeOpening);
    case CodeOperation::List:
        return listCodeSelection(selected, command.codeOpening, command.codeClosing);
    case CodeOperation::BreakLine:
        return breakLineCodeSelection();
    case CodeOperation::Outdent:
        return outdentCodeSelection(selected);
    }
    return std::nullopt;
}

}
