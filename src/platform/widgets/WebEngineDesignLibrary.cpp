#include "platform/widgets/WebEngineDesignLibrary.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

// The resources live in a static library: referencing their initialiser
// keeps the linker from dropping them.
static void initDesignResources()
{
    Q_INIT_RESOURCE(WebEngineDesignSurface);
}

namespace ink {

namespace {

const char* const kMissingMarker = "inkSurface:missing";

// In dependency order: later parts use what earlier parts define.
const char* const kParts[] = {"serialise.js", "document.js", "changes.js", "selection.js",
                              "history.js", "insertion.js", "editing.js", "wrapping.js", "tables.js",
                              "commands.js"};

QString readPart(const char* name)
{
    QFile file(QStringLiteral(":/inkpress/design/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QString buildSource()
{
    initDesignResources();
    QStringList parts{QStringLiteral("(function () {\n'use strict';\n"
                                     "if (window.inkSurface) return;")};
    for (const char* name : kParts)
        parts << readPart(name);
    parts << QStringLiteral("})();\ntrue;");
    return parts.join(QLatin1Char('\n'));
}

}

const QString& designLibrarySource()
{
    static const QString source = buildSource();
    return source;
}

QString designLibraryCall(const QString& function, const QVariantList& args)
{
    const QByteArray json = QJsonDocument(QJsonArray::fromVariantList(args))
                                .toJson(QJsonDocument::Compact);
    return QStringLiteral("(typeof inkSurface === 'undefined') ? '") + QLatin1String(kMissingMarker)
        + QStringLiteral("' : inkSurface.") + function + QStringLiteral("(...")
        + QString::fromUtf8(json) + QStringLiteral(");");
}

bool isMissingLibraryAnswer(const QVariant& answer)
{
    return answer.userType() == QMetaType::QString
        && answer.toString() == QLatin1String(kMissingMarker);
}

QString designCreateScript(bool details, bool borders, bool lazyLayout)
{
    const auto flag = [](bool on) { return QLatin1String(on ? "true" : "false"); };
    return designLibrarySource()
        + QStringLiteral("\ninkSurface.create({details: %1, borders: %2, lazy: %3});")
              .arg(flag(details), flag(borders), flag(lazyLayout));
}

namespace {

QWebEngineScript isolatedScript(const QString& name, QWebEngineScript::InjectionPoint point,
                                const QString& source)
{
    QWebEngineScript script;
    script.setName(name);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(point);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(source);
    return script;
}

}

void installDesignScripts(QWebEnginePage* page, bool details, bool borders, bool lazyLayout)
{
    const QString createName = QStringLiteral("inkpress-create");
    const QString readyName = QStringLiteral("inkpress-ready");
    QWebEngineScriptCollection& scripts = page->scripts();
    for (const QString& name : {createName, readyName}) {
        for (const QWebEngineScript& old : scripts.find(name))
            scripts.remove(old);
    }
    scripts.insert(isolatedScript(createName, QWebEngineScript::DocumentCreation,
                                  designCreateScript(details, borders, lazyLayout)));
    scripts.insert(isolatedScript(readyName, QWebEngineScript::DocumentReady,
                                  QStringLiteral("if (window.inkSurface) inkSurface.prepare();")));
}

}
