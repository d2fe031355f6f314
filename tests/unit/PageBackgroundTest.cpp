// The page background read from a page's text, as the table dialog takes it
// when the page shows its Code view.
#include "markup/PageBackground.h"

#include <gtest/gtest.h>

TEST(PageBackground, ReadsTheBodysBgcolorAsWritten)
{
    struct Row { const char* name; const char* html; const char* colour; };
    const Row rows[] = {
        {"quoted", "<html><body bgcolor=\"#ffffff\">x</body></html>", "#ffffff"},
        {"unquoted, any case", "<HTML><BODY text=#000000 bgColor=#FFFFCC>", "#FFFFCC"},
        {"a name", "<body bgcolor=white>", "white"},
        {"no bgcolor", "<body text=red>x</body>", ""},
        {"no body tag", "<p>x</p>", ""},
        {"in a comment only", "<!-- <body bgcolor=red> --><body>x", ""},
        {"the first body tag's attributes win", "<body bgcolor=red><body bgcolor=blue>", "red"},
        {"a later body tag adds what the first lacks", "<body text=red><body bgcolor=blue>", "blue"},
        {"empty text", "", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ink::pageBackgroundInText(QString::fromUtf8(row.html)).toStdString(), row.colour) << row.name;
}
