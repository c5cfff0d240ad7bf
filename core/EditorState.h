#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace core {

// The band texts of the main window ("400MHz---470MHz"); the band editor
// edits them by model-list position: 0..4 are PL1, PL2, PL3, PL4, pl5.
struct BandTexts {
    QString PL1, PL2, PL3, PL4, pl5, pl6;

    QString *byPosition(int k)
    {
        QString *texts[] = {&PL1, &PL2, &PL3, &PL4, &pl5, &pl6};
        return k >= 0 && k < 6 ? texts[k] : nullptr;
    }
};

// What the band editor keeps between its showings. The crystal and IF
// choices are one state: a load or a read sets them, the band editor shows
// them and only its buttons change them, and every option byte takes them.
struct BandOptions {
    bool crystal14MHz = false; // crystal reference: 13MHz, or 14.4MHz
    bool ifNegative = false;   // IF polarity: positive, or negative
    int sPower = 5;            // power step 0..10
    bool operator==(const BandOptions &) const = default;
};

// The list positions of the function-setting lists.
struct FunctionLists {
    int moni = 0;        // "Enable", "Disable"
    int batterySave = 0; // "Yes", "No"
    int timeOut = 0;     // "OFF", "30s" .. "300s"
    int squelch = 4;     // "0" .. "9"
    int scan = 0;        // "Enable", "Disable"
    int voice = 0;       // "Off", "Chinese", "English"
    // Lists of families with a second model group.
    int sound = 0;       // "Enable", "Disable"
    int scrambler = 1;   // "Enable", "Disable"
    int priority = 0;    // "1" .. "16"
    bool operator==(const FunctionLists &) const = default;
};

// Everything of the editing window that a memory image or a chp file carries.
struct EditorState {
    QString model = QStringLiteral("QZ70");
    int variant = 0; // 0 "(U)", 1 "(V)"
    QString group;   // the model group ("0", "1") of families that have groups
    FunctionLists lists;
    BandOptions band;
    // One row per channel; each row holds the cell texts of grid columns 1..n.
    QList<QStringList> channels;
    bool operator==(const EditorState &) const = default;
};

} // namespace core
