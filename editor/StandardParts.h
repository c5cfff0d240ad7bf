#pragma once

#include "Family.h"

// The parts every family's description is built from.

// The six lists every family has: Moni, Battery Save, Time Out timer,
// Squelch Level, Scan, Voice. timeOutOff is the Time Out list's first item.
QList<FunctionListInfo> StandardLists(const QString &timeOutOff);

// New, Open, Save, Print, Read, Write, without tool tips.
QList<ToolButton> StandardToolbar();

// Whether a channel column keeps an alignment of its own or the grid's.
enum class ColumnAlignment { Own, Grid };

GridColumn NumberColumn();
GridColumn FrequencyColumn(CellEditor rxOrTx, ColumnAlignment alignment);
GridColumn ToneColumn(const QString &title, ColumnAlignment alignment);
GridColumn ItemColumn(const QString &title, const QStringList &items, const QString &rowDefault,
                      ColumnAlignment alignment, int widthNum = 1, int widthDen = 10);
// "No.", RX and TX Frequency, QT/DQT Dec and Enc, Busy, W/N.
QList<GridColumn> ChannelColumns(ColumnAlignment alignment);
// "TX Power": High, Middle, Low.
GridColumn PowerColumn(ColumnAlignment alignment);
