// Tab moves through a page or dialog top to bottom, left to right, a group's
// fields together, and comes back round to the first field: the register and
// function-key pages in the editor and the global-buttons dialog.

#include "model/elements/CFuncKeyElement.h"
#include "pages/ui/CFuncKeyPropertyDlg.h"
#include "pages/ui/CRegisterPropertyDlg.h"
#include "settings/ui/CGlobalButtonDlg.h"
#include "settings/GlobalButtonRules.h"
#include "support/DialogTesting.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// How a field is known to its user: a button's text, its label in a form,
// else the name of the field (or of the field it is part of), else the title
// of the group around it.
QString NameOf(QWidget* field)
{
    if (auto* button = qobject_cast<QAbstractButton*>(field))
        return button->text();
    for (QWidget* w = field; w; w = w->parentWidget()) {
        QWidget* parent = w->parentWidget();
        auto* form = parent ? qobject_cast<QFormLayout*>(parent->layout()) : nullptr;
        const QList<QFormLayout*> forms = parent ? parent->findChildren<QFormLayout*>() : QList<QFormLayout*>();
        for (QFormLayout* f : forms + QList<QFormLayout*>{form}) {
            if (!f)
                continue;
            int row = -1;
            QFormLayout::ItemRole role{};
            f->getWidgetPosition(w, &row, &role);
            if (row < 0 || role != QFormLayout::FieldRole)
                continue;
            QLayoutItem* label = f->itemAt(row, QFormLayout::LabelRole);
            if (auto* text = label ? qobject_cast<QLabel*>(label->widget()) : nullptr)
                return text->text();
        }
        if (!w->objectName().isEmpty())
            return w->objectName();
        if (auto* group = qobject_cast<QGroupBox*>(parent))
            return group->title();
    }
    return field->objectName();
}

// The names of the fields that Tab reaches from the focused one, `count`
// presses, each pressed on whatever has the focus.
QStringList TabSequence(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused)
            return names << QStringLiteral("(no focus)");
        QTest::keyClick(focused, Qt::Key_Tab);
        names << NameOf(QApplication::focusWidget());
    }
    return names;
}

QStringList Names(std::initializer_list<const char*> texts)
{
    QStringList names;
    for (const char* text : texts)
        names << QString::fromUtf8(text);
    return names;
}

} // namespace

class TabOrderTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    // A group of radio buttons is one stop, entered at its first button;
    // disabled and hidden fields are passed over.
    void registerPage()
    {
        ScriptedEditor editor;
        QVERIFY(QTest::qWaitForWindowActive(editor.frame.get()));
        editor.Place(Cmd::ToolRegister, {100, 100});
        CRegisterPropertyDlg* page = editor.View().RegisterPage;
        ButtonOf<QCheckBox>(page, QStringLiteral("设定"))->click(); // the password box and raw limits open
        FieldOf<QLineEdit>(page, QStringLiteral("X:"))->setFocus();
        QCOMPARE(TabSequence(20),
            Names({"Y:", "位数:", "小数位:", "倍角", "反相", "类型:", "元件组名:", "元件名称:", "局号:",
                "寄存器个数:", "HEX/BCD", "有符号数", "右缩进", "设定", "加密", "范围设定", "原始数据上限:",
                "原始数据下限:", "X:", "Y:"}));
    }

    void functionKeyPage()
    {
        ScriptedEditor editor;
        QVERIFY(QTest::qWaitForWindowActive(editor.frame.get()));
        editor.Place(Cmd::ToolFuncKey, {100, 100});
        CFuncKeyPropertyDlg* page = editor.View().FuncKeyPage;
        QTest::mouseClick(ButtonOf<QRadioButton>(page, QStringLiteral("递增")), Qt::LeftButton);
        FieldOf<QLineEdit>(page, QStringLiteral("X:"))->setFocus();
        QCOMPARE(TabSequence(17),
            Names({"Y:", "倍角", "反相", "手形", "隐形", "加密", "键:", "递增", "类型:", "元件组名:", "元件名称:",
                "局号:", "参数:", "寄存器个数:", "加/减值:", "上/下限:", "X:"}));
        // Shift+Tab goes back the same way.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(NameOf(QApplication::focusWidget()), QStringLiteral("上/下限:"));
    }

    void globalButtonsDialog()
    {
        ScriptedEditor editor;
        GlobalButton button;
        SetButtonFunction(button, SetRegisterFunction);
        button.ElementType = Word16ElementType;
        button.GroupName = "Register";
        button.ElementName = "R0";
        editor.document.GlobalButtons = {button};
        QStringList sequence;
        RunDialogCommand<CGlobalButtonDlg>(editor, Cmd::GlobalButtons, [&](CGlobalButtonDlg& dialog) {
            NamedChild<QComboBox>(dialog, QStringLiteral("keys"))->setFocus();
            sequence = TabSequence(16);
        });
        QCOMPARE(sequence, Names({"添加", "删除", "station", "type", "group", "element", "format", "value",
                               "registerCount", "RS485", "加密", "画面跳转", "确定", "取消", "keys", "添加"}));
    }
};

QTEST_MAIN(TabOrderTest)
#include "TabOrderTest.moc"
