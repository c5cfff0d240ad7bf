#include "FamilyCheck.h"

#include <QSet>

namespace {

constexpr ListRole kEveryFamilyHas[] = {ListRole::Moni, ListRole::TimeOut, ListRole::BatterySave,
                                        ListRole::Squelch, ListRole::Scan, ListRole::Voice};

void checkLists(const Family &f, const QSet<QString> &groups, QStringList &faults)
{
    QSet<ListRole> roles;
    QSet<QString> names;
    for (const FunctionListInfo &list : f.lists) {
        if (roles.contains(list.role))
            faults << QStringLiteral("list %1 holds a role another list holds").arg(list.objectName);
        roles.insert(list.role);
        if (names.contains(list.objectName))
            faults << QStringLiteral("list %1 appears twice").arg(list.objectName);
        names.insert(list.objectName);
        const int start = ListValue(f.defaults, list.role);
        if (start < 0 || start >= list.items.size())
            faults << QStringLiteral("list %1 starts outside its items").arg(list.objectName);
        for (const QString &group : list.enabledInGroups)
            if (!groups.contains(group))
                faults << QStringLiteral("list %1 names group \"%2\" that no model has").arg(list.objectName, group);
    }
    for (const ListRole role : kEveryFamilyHas)
        if (!roles.contains(role))
            faults << QStringLiteral("a standard list (role %1) is missing").arg(int(role));
}

void checkGrid(const GridDescription &g, const QString &group, QStringList &faults)
{
    const QString where = group.isEmpty() ? QStringLiteral("grid") : QStringLiteral("grid of group \"%1\"").arg(group);
    if (g.columns.isEmpty() || g.columns.first().editor != CellEditor::None) {
        faults << where + QStringLiteral(": column 0 must be the channel number");
        return;
    }
    int rx = 0, tx = 0;
    for (int c = 0; c < g.columns.size(); ++c) {
        const GridColumn &col = g.columns.at(c);
        const QString at = QStringLiteral("%1, column %2 (%3)").arg(where).arg(c).arg(col.title);
        if (col.widthNum <= 0 || col.widthDen <= 0)
            faults << at + QStringLiteral(": no width");
        if (c > 0 && col.editor == CellEditor::None)
            faults << at + QStringLiteral(": no editor");
        rx += col.editor == CellEditor::RxFrequency;
        tx += col.editor == CellEditor::TxFrequency;
        if (col.editor == CellEditor::ItemList) {
            if (col.items.isEmpty())
                faults << at + QStringLiteral(": a list without items");
            if (col.rowDefault.kind == RowDefault::Kind::Text && !col.items.contains(col.rowDefault.text))
                faults << at + QStringLiteral(": its row default is not one of its items");
        } else if (!col.items.isEmpty()) {
            faults << at + QStringLiteral(": items without a list editor");
        }
        if (col.editor == CellEditor::ToneList && g.toneItems.isEmpty())
            faults << at + QStringLiteral(": a tone column without tones");
        if (col.rowDefault.kind == RowDefault::Kind::FirstTone && col.editor != CellEditor::ToneList)
            faults << at + QStringLiteral(": a tone default outside a tone column");
    }
    if (rx != 1 || tx != 1)
        faults << where + QStringLiteral(": needs one RX and one TX frequency column");
}

// Every model the window can reach has a model code and a band the window reads.
void checkScheme(const Family &f, QSet<QString> &groups, QStringList &faults)
{
    const ModelScheme &s = *f.models;
    if (s.asksForModel() == !s.fixedItems().isEmpty())
        faults << QStringLiteral("models: either asked for or a fixed list, not both or neither");
    if (s.asksForModel() && s.newMenuItems().isEmpty())
        faults << QStringLiteral("models: File > New would be empty");
    const auto checkSlot = [&](const QString &model, int position) {
        const auto slot = s.slot(model, position);
        if (!slot)
            faults << QStringLiteral("models: %1 position %2 has no model code").arg(model).arg(position);
        else if (slot->bandSlot < 0 || slot->bandSlot >= f.window.bandTextsRead)
            faults << QStringLiteral("models: %1 position %2 uses a band text never read").arg(model).arg(position);
    };
    if (s.hasGroups())
        groups.insert(s.startGroup());
    const QStringList models = s.models();
    for (int i = 0; i < models.size(); ++i) {
        checkSlot(models.at(i), 0);
        checkSlot(models.at(i), 1);
        if (s.hasGroups()) {
            if (s.groupOf(i).isEmpty())
                faults << QStringLiteral("models: %1 has no group").arg(models.at(i));
            else
                groups.insert(s.groupOf(i));
        }
    }
    const QStringList fixed = s.fixedItems();
    for (int i = 0; i < fixed.size(); ++i)
        checkSlot(fixed.at(i), i);
    if (groups.isEmpty())
        checkGrid(s.grid(QString()), QString(), faults);
    for (const QString &group : std::as_const(groups))
        checkGrid(s.grid(group), group, faults);
}

void checkPrint(const Family &f, QStringList &faults)
{
    const FamilyPrint &p = f.print;
    if (p.singlePrintItem()) {
        if (!p.scriptPage)
            faults << QStringLiteral("print: one print item but no script page");
        if (!p.dataPage.settings.isEmpty())
            faults << QStringLiteral("print: a data page that no menu reaches");
        return;
    }
    if (p.scriptPage)
        faults << QStringLiteral("print: a script page beside the data page's two items");
    if (p.dataPage.settings.isEmpty() || !p.dataPage.columnX)
        faults << QStringLiteral("print: no data page");
    QSet<QString> sources{QStringLiteral("cboPCmodel"), QStringLiteral("Label2")};
    for (const FunctionListInfo &list : f.lists)
        sources.insert(list.objectName);
    for (const print::PageSetting &setting : p.dataPage.settings)
        if (!sources.contains(setting.source))
            faults << QStringLiteral("print: %1 prints %2, which the window lacks").arg(setting.variable, setting.source);
}

void checkExtras(const Family &f, QStringList &faults)
{
    bool print = false;
    for (const ToolButton &b : f.window.toolbar) {
        print |= b.command == ToolButton::Command::Print;
        if (b.command == ToolButton::Command::New && !f.models->asksForModel())
            faults << QStringLiteral("toolbar: New for a family that never asks for a model");
    }
    if (!print)
        faults << QStringLiteral("toolbar: no Print");
}

} // namespace

QStringList CheckFamily(const Family &f)
{
    QStringList faults;
    if (f.title.isEmpty() || f.version.isEmpty())
        faults << QStringLiteral("no title or version");
    if (!f.optionByte || !f.voiceByte || !f.buildImage || !f.decodeImage)
        faults << QStringLiteral("a setting byte rule or the codec is missing");
    if (!f.models)
        return faults << QStringLiteral("no model scheme");
    QSet<QString> groups;
    checkScheme(f, groups, faults);
    checkLists(f, groups, faults);
    checkPrint(f, faults);
    checkExtras(f, faults);
    return faults;
}
