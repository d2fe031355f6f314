// Every input the fuzz targets found a fault with, and their seeds, go
// through the same entries again: a fault once fixed stays fixed.
#include "FuzzEntries.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class FuzzCorpusTest : public ::testing::TestWithParam<ink::fuzz::Target> {
protected:
    void SetUp() override
    {
        ink::fuzz::setFailureHandler([this](const std::string& what) {
            ADD_FAILURE() << input_.toStdString() << ": " << what;
        });
    }
    void TearDown() override { ink::fuzz::setFailureHandler(nullptr); }

    QString input_;
};

TEST_P(FuzzCorpusTest, SavedInputsPassTheirEntry)
{
    const QDir folder(QStringLiteral(INKPRESS_FUZZ_CORPUS) + QLatin1Char('/')
                      + QLatin1String(GetParam().name));
    const QStringList names = folder.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << "no saved inputs in " << folder.path().toStdString();
    for (const QString& name : names) {
        input_ = name;
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        GetParam().run(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpusTest, ::testing::ValuesIn(ink::fuzz::targets()),
                         [](const ::testing::TestParamInfo<ink::fuzz::Target>& info) {
                             return std::string(info.param.name);
                         });

}
