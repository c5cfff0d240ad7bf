#pragma once

#include "GridColumns.h"
#include "core/ChpFile.h"
#include "core/EditorState.h"
#include "core/FamilyB.h"
#include "core/MemoryImage.h"
#include "core/Result.h"

#include <QStringList>
#include <functional>

// What one radio family brings to the shared editing window: its models,
// its setting lists, its channel grid and the codec of its memory image.
struct FunctionListInfo {
    QString objectName;
    QString label;
    QStringList items;
};

struct Family {
    QString title;
    QString version; // "1.0.0.1"
    QStringList models; // File > New captions and the model dialog's list
    // Moni, Battery Save, Time Out timer, Squelch Level, Scan, Voice.
    QList<FunctionListInfo> lists;
    core::FunctionLists defaults;
    GridDescription grid;
    std::function<core::Byte(const QString &model, int variant)> modelCode;
    std::function<core::Result<core::MemoryImage>(const core::EditorState &, core::familyB::Target)> buildImage;
    std::function<core::Result<core::EditorState>(const core::ChpLines &, const core::EditorState &)> decodeImage;
};

const Family &HeronFamily();
