#include "settings/ui/CGlobalButtonDlg.h"

#include "StringIds.h"
#include "base/GbkText.h"
#include "base/UserInterface.h"
#include "devices/AddressChoices.h"
#include "devices/AddressLookup.h"
#include "devices/ElementTypeText.h"
#include "model/CVX50TextDoc.h"
#include "model/elements/PanelKeys.h"
#include "pages/UserLevels.h"
#include "settings/ui/CKeySelectDlg.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"
#include "widgets/CStepEdit.h"
#include "widgets/ModalDialog.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/TabOrder.h"
#include "widgets/UiText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kMaxGlobalButtons = 16;
constexpr int kFunctionCount = 5;
constexpr int kCoilActionCount = 5;
constexpr int kFrameCaptions[kFunctionCount] = {
    IdsActionScreen, IdsActionCoil, IdsActionRegister, IdsActionIncrement, IdsActionDecrement};

template <class Widget>
Widget* Named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// Checks the button `id` of `group`, or none for an id the group lacks.
void CheckRadio(QButtonGroup* group, int id)
{
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

void FillCombo(QComboBox* combo, const std::vector<std::string>& texts)
{
    combo->clear();
    for (const std::string& text : texts)
        combo->addItem(QStringFromGbk(text));
    combo->setCurrentIndex(texts.empty() ? -1 : 0);
}

void SetShown(const std::vector<QWidget*>& widgets, bool shown)
{
    for (QWidget* widget : widgets)
        widget->setVisible(shown);
}

// The element type a type text stands for.
int TypeOfText(const std::string& text)
{
    for (int type : {BitElementType, Word16ElementType, Word32ElementType})
        if (ElementTypeText(type) == text)
            return type;
    return BitElementType;
}

// A button added by the dialog: set coil ON on the project's defaults.
GlobalButton NewButton(const CVX50TextDoc& doc, int keyCode)
{
    GlobalButton button;
    button.Station = doc.DefaultStation;
    button.Port = doc.DefaultPort;
    button.KeyCode = keyCode;
    return button;
}

QString KeyName(int keyCode)
{
    return UiText(GlobalKeyNameId(keyCode));
}

} // namespace

CGlobalButtonDlg::CGlobalButtonDlg(CVX50TextDoc& doc, QWidget* parent)
    : QDialog(parent)
    , m_doc(doc)
    , m_keys(Named(new QComboBox(this), QStringLiteral("keys")))
    , m_add(Named(new QPushButton(QStringLiteral("添加"), this), QStringLiteral("add")))
    , m_delete(Named(new QPushButton(QStringLiteral("删除"), this), QStringLiteral("delete")))
    , m_properties(new QGroupBox(QStringLiteral("功能键属性"), this))
    , m_frame(Named(new QGroupBox(m_properties), QStringLiteral("frame")))
    , m_station(Named(new CSpinEdit(0, 255, m_frame), QStringLiteral("station")))
    , m_type(Named(new QComboBox(m_frame), QStringLiteral("type")))
    , m_group(Named(new QComboBox(m_frame), QStringLiteral("group")))
    , m_element(Named(new CElementNameCombo(m_frame), QStringLiteral("element")))
    , m_jumpScreen(Named(new CSpinEdit(1, 65535, m_frame), QStringLiteral("jumpScreen")))
    , m_format(Named(new QComboBox(m_frame), QStringLiteral("format")))
    , m_value(Named(new CStepEdit(m_frame), QStringLiteral("value")))
    , m_registerCount(Named(new CSpinEdit(1, 2, m_frame), QStringLiteral("registerCount")))
    , m_stepFrame(new QGroupBox(QStringLiteral("加减值设定"), m_frame))
    , m_step(Named(new CStepEdit(m_stepFrame), QStringLiteral("step")))
    , m_limit(Named(new CStepEdit(m_stepFrame), QStringLiteral("limit")))
    , m_portBox(new QGroupBox(QStringLiteral("通信口"), m_properties))
    , m_rs485(Named(new QRadioButton(QStringLiteral("RS485"), m_portBox), QStringLiteral("rs485")))
    , m_com1(Named(new QRadioButton(QStringLiteral("COM1"), m_portBox), QStringLiteral("com1")))
    , m_protect(Named(new QCheckBox(QStringLiteral("加密"), this), QStringLiteral("protect")))
    , m_levelFrame(new QGroupBox(QStringLiteral("使用者等级"), this))
    , m_level(Named(new QComboBox(m_levelFrame), QStringLiteral("level")))
{
    setWindowTitle(QStringLiteral("全局按钮"));
    m_format->addItems({QStringLiteral("HEX"), QStringLiteral("无符号"), QStringLiteral("有符号")});
    m_step->Edit()->setMaxLength(11);
    m_limit->Edit()->setMaxLength(11);
    for (CStepEdit* field : {m_value, m_step, m_limit})
        field->FitAnyValue();
    for (QComboBox* combo : {m_keys, m_type, m_group, static_cast<QComboBox*>(m_element)})
        combo->setMinimumContentsLength(10);

    // The fields of the button, each row with its label.
    auto* fields = new QGridLayout(m_frame);
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* field) {
        auto* text = new QLabel(label, m_frame);
        fields->addWidget(text, row, 0);
        fields->addWidget(field, row++, 1);
        return std::vector<QWidget*>{text, field};
    };
    m_stationRow = addRow(QStringLiteral("局号:"), m_station);
    for (QWidget* w : addRow(QStringLiteral("类型:"), m_type))
        m_addressRows.push_back(w);
    for (QWidget* w : addRow(QStringLiteral("元件组名:"), m_group))
        m_addressRows.push_back(w);
    for (QWidget* w : addRow(QStringLiteral("元件名称:"), m_element))
        m_addressRows.push_back(w);
    auto* coilActions = new QButtonGroup(this);
    const QString actionTexts[kCoilActionCount] = {QStringLiteral("设定为ON"), QStringLiteral("设定为OFF"),
        QStringLiteral("取反"), QStringLiteral("瞬时ON"), QStringLiteral("瞬时OFF")};
    auto* coilColumn = new QVBoxLayout;
    for (int action = 0; action < kCoilActionCount; ++action) {
        auto* radio = Named(new QRadioButton(actionTexts[action], m_frame), QStringLiteral("coil%1").arg(action));
        coilActions->addButton(radio, action);
        coilColumn->addWidget(radio);
        m_coilActions[static_cast<std::size_t>(action)] = radio;
        m_coilRow.push_back(radio);
    }
    fields->addLayout(coilColumn, row++, 1);
    m_jumpRow = addRow(QStringLiteral("跳转至画面:"), m_jumpScreen);
    fields->addWidget(m_format, row++, 1);
    m_formatRow = {m_format};
    m_valueRow = addRow(QStringLiteral("参数:"), m_value);
    m_countRow = addRow(QStringLiteral("寄存器个数:"), m_registerCount);
    auto* stepFields = new QGridLayout(m_stepFrame);
    stepFields->addWidget(new QLabel(QStringLiteral("加/减值:"), m_stepFrame), 0, 0);
    stepFields->addWidget(m_step, 0, 1);
    stepFields->addWidget(new QLabel(QStringLiteral("上/下限:"), m_stepFrame), 1, 0);
    stepFields->addWidget(m_limit, 1, 1);
    fields->addWidget(m_stepFrame, row++, 0, 1, 2);
    fields->setRowStretch(row, 1);

    auto* ports = new QButtonGroup(this);
    ports->addButton(m_rs485, 0);
    ports->addButton(m_com1, 1);
    auto* portRow = new QHBoxLayout(m_portBox);
    portRow->addWidget(m_rs485);
    portRow->addWidget(m_com1);

    auto* keyRow = new QHBoxLayout;
    keyRow->addWidget(new QLabel(QStringLiteral("按键:"), m_properties));
    keyRow->addWidget(m_keys, 1);
    keyRow->addWidget(m_add);
    keyRow->addWidget(m_delete);
    auto* properties = new QVBoxLayout(m_properties);
    properties->addLayout(keyRow);
    properties->addWidget(m_frame, 1);
    properties->addWidget(m_portBox);

    auto* levelRow = new QVBoxLayout(m_levelFrame);
    levelRow->addWidget(m_level);
    auto* functionFrame = new QGroupBox(QStringLiteral("功能键"), this);
    auto* functionColumn = new QVBoxLayout(functionFrame);
    functionColumn->addWidget(m_protect);
    functionColumn->addWidget(m_levelFrame);
    auto* functions = new QButtonGroup(this);
    const QString functionTexts[kFunctionCount] = {QStringLiteral("画面跳转"), QStringLiteral("设定线圈"),
        QStringLiteral("设定寄存器"), QStringLiteral("递增"), QStringLiteral("递减")};
    for (int function = 0; function < kFunctionCount; ++function) {
        auto* radio =
            Named(new QRadioButton(functionTexts[function], functionFrame), QStringLiteral("function%1").arg(function));
        functions->addButton(radio, function);
        functionColumn->addWidget(radio);
        m_functions[static_cast<std::size_t>(function)] = radio;
    }
    functionColumn->addStretch(1);

    QDialogButtonBox* buttons = OkCancelButtons(this, [this] { OnOK(); });

    auto* columns = new QHBoxLayout;
    columns->addWidget(m_properties, 1);
    columns->addWidget(functionFrame);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);

    connect(m_keys, &QComboBox::activated, this, &CGlobalButtonDlg::OnSelChangeButton);
    connect(m_add, &QPushButton::clicked, this, &CGlobalButtonDlg::OnAdd);
    connect(m_delete, &QPushButton::clicked, this, &CGlobalButtonDlg::OnDelete);
    connect(functions, &QButtonGroup::idClicked, this, &CGlobalButtonDlg::OnFunction);
    connect(coilActions, &QButtonGroup::idClicked, this, &CGlobalButtonDlg::OnCoilAction);
    connect(ports, &QButtonGroup::idClicked, this, &CGlobalButtonDlg::OnPort);
    connect(m_station, &CSpinEdit::Edited, this, &CGlobalButtonDlg::OnChangeStation);
    connect(m_jumpScreen, &CSpinEdit::Edited, this, &CGlobalButtonDlg::OnChangeJumpScreen);
    connect(m_type, &QComboBox::activated, this, &CGlobalButtonDlg::OnSelChangeType);
    connect(m_group, &QComboBox::activated, this, &CGlobalButtonDlg::OnSelChangeGroup);
    connect(m_registerCount, &CSpinEdit::Edited, this, &CGlobalButtonDlg::OnChangeRegisterCount);
    connect(m_format, &QComboBox::activated, this, &CGlobalButtonDlg::OnSelChangeFormat);
    for (ValueBox box : {ValueBox::Value, ValueBox::Step, ValueBox::Limit}) {
        connect(BoxOf(box), &CStepEdit::Edited, this, [this, box] { OnChangeValue(box); });
        connect(BoxOf(box), &CStepEdit::Stepped, this, [this, box](int delta) { OnSpin(box, delta); });
    }
    connect(m_protect, &QCheckBox::clicked, this, &CGlobalButtonDlg::OnCheckPassword);
    connect(m_level, &QComboBox::activated, this, &CGlobalButtonDlg::OnSelChangeLevel);
    m_element->SetBinding({
        [this] { return Selected() != nullptr; },
        [this] { return GroupElementNames(m_doc.AddressTable, m_currentType, m_currentGroup); },
        [this] { return m_currentElement; },
        [this](const std::string& name) { return BindElementName(name); },
    });
    connect(m_element, &CElementNameCombo::NameChosen, this,
            [this] { m_element->ShowNameAlone(m_currentElement); });

    KeepOneSize();
    OnInitDialog();
    SetTabOrderByLayout(*this);
}

void CGlobalButtonDlg::OnInitDialog()
{
    for (const std::string& name : UserLevelNames(m_doc.HighestPasswordLevel))
        m_level->addItem(QStringFromGbk(name));
    m_buttons = m_doc.GlobalButtons;
    for (const GlobalButton& button : m_buttons)
        m_keys->addItem(KeyName(button.KeyCode));
    const bool remembered = m_doc.SelectedGlobalButton >= 0
        && m_doc.SelectedGlobalButton < static_cast<int>(m_buttons.size());
    m_selected = remembered ? m_doc.SelectedGlobalButton : 0;
    ShowButton();
}

GlobalButton* CGlobalButtonDlg::Selected()
{
    if (m_selected < 0 || m_selected >= static_cast<int>(m_buttons.size()))
        return nullptr;
    return &m_buttons[static_cast<std::size_t>(m_selected)];
}

CStepEdit* CGlobalButtonDlg::BoxOf(ValueBox box) const
{
    switch (box) {
    case ValueBox::Value:
        return m_value;
    case ValueBox::Step:
        return m_step;
    case ValueBox::Limit:
        break;
    }
    return m_limit;
}

QString& CGlobalButtonDlg::BoxTextOf(ValueBox box)
{
    switch (box) {
    case ValueBox::Value:
        return m_valueText;
    case ValueBox::Step:
        return m_stepText;
    case ValueBox::Limit:
        break;
    }
    return m_limitText;
}

void CGlobalButtonDlg::EnableButtonControls(bool on)
{
    // Without a button there is nothing to edit.
    m_frame->setEnabled(on);
    m_portBox->setEnabled(on);
    for (QRadioButton* radio : m_functions)
        radio->setEnabled(on);
    m_protect->setEnabled(on);
    m_levelFrame->setEnabled(on);
}

void CGlobalButtonDlg::ShowButton()
{
    GlobalButton* selected = Selected();
    EnableButtonControls(selected != nullptr);
    // An empty list shows what a new button would hold.
    const GlobalButton button = selected ? *selected : NewButton(m_doc, kDefaultGlobalKey);
    if (selected)
        m_keys->setCurrentIndex(m_selected);

    const int function = ButtonFunction(button);
    CheckRadio(m_functions.front()->group(), function);
    if (ButtonCoilAction(button) < kCoilActionCount)
        CheckRadio(m_coilActions.front()->group(), ButtonCoilAction(button));
    m_station->SetValue(button.Station);
    m_countText = QString::number(button.RegisterCount);
    m_registerCount->Edit()->setText(m_countText);
    m_jumpScreen->SetValue(button.JumpScreen);
    m_currentType = button.ElementType;
    CheckRadio(m_rs485->group(), button.Port == 1 ? 1 : 0);
    m_format->setCurrentIndex(button.DisplayFormat);
    ShowValueTexts();

    m_level->setCurrentIndex(button.UserLevel);
    const bool isProtected = (button.Flags & GlobalButton::ProtectedFlag) != 0;
    m_protect->setChecked(isProtected);
    m_level->setEnabled(isProtected);

    FillTypeCombo(button.ElementType);
    // Names the lists lack leave their first entries selected; the button
    // keeps its names.
    if (const int type = m_type->findText(QStringFromGbk(button.TypeText)); type >= 0)
        m_type->setCurrentIndex(type);
    if (const int group = m_group->findText(QStringFromGbk(button.GroupName)); group >= 0)
        m_group->setCurrentIndex(group);
    m_currentTypeText = GbkFromQString(m_type->currentText());
    m_currentGroup = GbkFromQString(m_group->currentText());
    if (!button.ElementName.empty()) {
        m_currentElement = button.ElementName;
        m_element->ShowNameAlone(m_currentElement);
    }
    ShowFunctionLayout(function);
}

void CGlobalButtonDlg::ShowValueTexts()
{
    const GlobalButton* selected = Selected();
    const GlobalButton button = selected ? *selected : NewButton(m_doc, kDefaultGlobalKey);
    for (ValueBox box : {ValueBox::Value, ValueBox::Step, ValueBox::Limit}) {
        BoxTextOf(box) = QString::fromStdString(ButtonValueText(button, box));
        BoxOf(box)->Edit()->setText(BoxTextOf(box));
    }
}

void CGlobalButtonDlg::FillTypeCombo(int type)
{
    std::vector<std::string> types;
    if (type == BitElementType)
        types = {ElementTypeText(BitElementType)};
    else
        types = {ElementTypeText(Word16ElementType), ElementTypeText(Word32ElementType)};
    FillCombo(m_type, types);
    m_currentTypeText = types.front();
    const TypeChoice choice = ChooseElementType(m_doc.AddressTable, type);
    FillCombo(m_group, choice.groups);
    m_element->ShowNameAlone({});
    if (!choice.groups.empty())
        m_currentGroup = choice.names.group;
    if (!choice.names.element.empty()) {
        m_currentElement = choice.names.element;
        m_element->ShowNameAlone(m_currentElement);
    }
}

void CGlobalButtonDlg::ShowFunctionLayout(int function)
{
    if (function < 0 || function >= kFunctionCount)
        return;
    m_frame->setTitle(UiText(kFrameCaptions[function]));
    const bool jump = function == JumpFunction;
    const bool coil = function == SetCoilFunction;
    const bool setRegister = function == SetRegisterFunction;
    const bool steps = function == IncrementFunction || function == DecrementFunction;
    SetShown(m_stationRow, !jump);
    SetShown(m_addressRows, !jump);
    SetShown(m_coilRow, coil);
    SetShown(m_jumpRow, jump);
    SetShown(m_formatRow, setRegister || steps);
    SetShown(m_valueRow, setRegister);
    SetShown(m_countRow, setRegister || steps);
    m_stepFrame->setVisible(steps);
}

void CGlobalButtonDlg::KeepOneSize()
{
    QSize largest;
    for (int function = 0; function < kFunctionCount; ++function) {
        ShowFunctionLayout(function);
        // The layouts keep what they last measured until they are shown.
        for (QLayout* layout : m_frame->findChildren<QLayout*>())
            layout->invalidate();
        largest = largest.expandedTo(m_frame->sizeHint());
    }
    m_frame->setMinimumSize(largest);
}

void CGlobalButtonDlg::OnSelChangeButton(int index)
{
    m_selected = index;
    ShowButton();
}

void CGlobalButtonDlg::OnFunction(int function)
{
    GlobalButton* button = Selected();
    if (!button)
        return;
    const bool changes = function != ButtonFunction(*button);
    const AddressTable& table = m_doc.AddressTable;
    if (function == JumpFunction) {
        button->ElementType = BitElementType;
    } else {
        // Coils take a bit element, the register functions a 16-bit word to
        // begin with; without such a group the button keeps its names.
        const int type = function == SetCoilFunction ? BitElementType : Word16ElementType;
        if (changes) {
            button->ElementType = type;
            const TypeChoice choice = ChooseElementType(table, type);
            if (!choice.groups.empty()) {
                button->GroupName = choice.names.group;
                button->ElementName = choice.names.element;
            }
            if (function == IncrementFunction || function == DecrementFunction)
                button->Step = 1;
        }
        button->TypeText = ElementTypeText(button->ElementType);
        button->RegisterCount = 1;
        button->DisplayFormat = static_cast<std::uint8_t>(NumberFormat::Unsigned);
    }
    SetButtonFunction(*button, function);
    if (function != JumpFunction && function != SetCoilFunction)
        AdjustButtonRange(*button);
    // The button's protection, level, coil action and jump screen stay, and
    // are shown as they are.
    ShowButton();
}

void CGlobalButtonDlg::OnCoilAction(int action)
{
    if (GlobalButton* button = Selected())
        SetButtonCoilAction(*button, action);
}

void CGlobalButtonDlg::OnChangeStation()
{
    GlobalButton* button = Selected();
    if (!button)
        return;
    const std::optional<int> station = m_station->ReadInteger();
    if (!station) {
        m_station->SetValue(button->Station);
        return;
    }
    // The station rule judges by the coil action shown.
    GlobalButton judged = *button;
    SetButtonCoilAction(judged, std::max(0, m_coilActions.front()->group()->checkedId()));
    const int lowest = ButtonLowestStation(judged, GetElementGroupMode(m_doc.AddressTable, m_currentGroup));
    if (*station < lowest || *station > 255) {
        CurrentUi().ShowMessage(IdsEnterInteger1To255, MbOk | MbIconWarning);
        m_station->SetValue(button->Station);
        return;
    }
    button->Station = *station;
}

void CGlobalButtonDlg::OnChangeJumpScreen()
{
    GlobalButton* button = Selected();
    if (!button)
        return;
    const std::optional<int> screen = m_jumpScreen->ReadInteger();
    if (screen && (*screen < 1 || *screen > 65535))
        CurrentUi().ShowMessage(IdsEnterInteger1To65535, MbOk | MbIconWarning);
    if (!screen || *screen < 1 || *screen > 65535) {
        m_jumpScreen->SetValue(button->JumpScreen);
        return;
    }
    button->JumpScreen = *screen;
}

void CGlobalButtonDlg::OnSelChangeType(int index)
{
    GlobalButton* button = Selected();
    if (!button || index < 0)
        return;
    const std::string text = GbkFromQString(m_type->itemText(index));
    m_currentType = TypeOfText(text);
    button->TypeText = text;
    button->ElementType = m_currentType;
    // Two registers make one 32-bit value of 16-bit words only.
    if (m_currentType == Word32ElementType)
        button->RegisterCount = 1;
    if (text != m_currentTypeText) {
        m_currentTypeText = text;
        const TypeChoice choice = ChooseElementType(m_doc.AddressTable, m_currentType);
        FillCombo(m_group, choice.groups);
        if (!choice.groups.empty())
            m_currentGroup = button->GroupName = choice.names.group;
        m_currentElement = button->ElementName = choice.names.element;
        m_element->ShowNameAlone(m_currentElement);
    }
    m_countText = QString::number(button->RegisterCount);
    m_registerCount->Edit()->setText(m_countText);
    AdjustButtonRange(*button);
    ShowValueTexts();
}

void CGlobalButtonDlg::OnSelChangeGroup(int index)
{
    GlobalButton* button = Selected();
    if (!button || index < 0)
        return;
    const std::string group = GbkFromQString(m_group->itemText(index));
    if (IsQm4OnlyGroup(m_doc.ProtocolLibraryName, group))
        CurrentUi().ShowMessage(IdsOnlyForQm4fbd, MbOk | MbIconWarning);
    if (group != m_currentGroup) {
        const std::vector<std::string> names = GroupElementNames(m_doc.AddressTable, m_currentType, group);
        m_currentElement = names.empty() ? std::string() : names.front();
        m_element->ShowNameAlone(m_currentElement);
        m_registerCount->Edit()->setText(QStringLiteral("1"));
    }
    m_currentGroup = button->GroupName = group;
    button->ElementName = m_currentElement;
    // A station of 0 stays only where the new group takes it.
    if (button->Station < ButtonLowestStation(*button, GetElementGroupMode(m_doc.AddressTable, group))) {
        button->Station = 1;
        m_station->SetValue(1);
    }
    OnChangeRegisterCount();
}

void CGlobalButtonDlg::OnChangeRegisterCount()
{
    GlobalButton* button = Selected();
    if (!button)
        return;
    const QString text = m_registerCount->Edit()->text();
    const bool nextWord =
        MayBindElementName(m_doc.AddressTable, Word16ElementType, button->GroupName, button->ElementName, true);
    if (const std::optional<int> count = ParseRegisterCount(text.toStdString(), button->ElementType, nextWord)) {
        button->RegisterCount = *count;
        m_countText = text;
    } else {
        m_registerCount->Edit()->setText(m_countText);
    }
    AdjustButtonRange(*button);
    ShowValueTexts();
}

void CGlobalButtonDlg::OnSelChangeFormat(int index)
{
    GlobalButton* button = Selected();
    if (!button || index < 0)
        return;
    ConvertButtonFormat(*button, static_cast<NumberFormat>(index));
    ShowValueTexts();
}

void CGlobalButtonDlg::OnChangeValue(ValueBox box)
{
    GlobalButton* button = Selected();
    if (!button)
        return;
    QLineEdit* edit = BoxOf(box)->Edit();
    const QString text = edit->text().toUpper();
    if (EditButtonValue(*button, box, text.toStdString()))
        BoxTextOf(box) = text;
    // The box shows the accepted text in upper case, or the previous text,
    // with the caret at its end.
    edit->setText(BoxTextOf(box));
}

void CGlobalButtonDlg::OnSpin(ValueBox box, int delta)
{
    const GlobalButton* button = Selected();
    if (!button)
        return;
    const QString text = BoxOf(box)->Edit()->text().toUpper();
    if (const std::optional<std::string> moved = SpinButtonText(*button, box, text.toStdString(), delta)) {
        BoxOf(box)->Edit()->setText(QString::fromStdString(*moved));
        OnChangeValue(box);
    }
}

void CGlobalButtonDlg::OnCheckPassword()
{
    GlobalButton* button = Selected();
    if (!button)
        return;
    if (m_doc.PasswordTable.empty()) {
        CurrentUi().ShowMessage(IdsSetPasswordFirst, MbOk | MbIconWarning);
        m_protect->setChecked(false);
        return;
    }
    if (m_protect->isChecked()) {
        button->Flags |= GlobalButton::ProtectedFlag;
    } else {
        button->Flags &= static_cast<std::uint8_t>(~GlobalButton::ProtectedFlag);
        // The first level is shown, so it is the one kept.
        button->UserLevel = 0;
        m_level->setCurrentIndex(0);
    }
    m_level->setEnabled(m_protect->isChecked());
}

void CGlobalButtonDlg::OnSelChangeLevel(int index)
{
    if (GlobalButton* button = Selected(); button && index >= 0)
        button->UserLevel = index;
}

void CGlobalButtonDlg::OnPort(int port)
{
    if (GlobalButton* button = Selected())
        button->Port = port;
}

bool CGlobalButtonDlg::BindElementName(const std::string& name)
{
    GlobalButton* button = Selected();
    if (!button
        || !MayBindElementName(m_doc.AddressTable, m_currentType, m_currentGroup, name, button->RegisterCount == 2))
        return false;
    m_currentElement = button->ElementName = name;
    return true;
}

void CGlobalButtonDlg::OnAdd()
{
    if (static_cast<int>(m_buttons.size()) >= kMaxGlobalButtons) {
        CurrentUi().ShowMessage(IdsGlobalButtonsFull, MbOk | MbIconWarning);
        return;
    }
    CKeySelectDlg keys(m_doc, m_buttons, this);
    if (RunModalDialog(keys) != QDialog::Accepted)
        return;
    m_buttons.push_back(NewButton(m_doc, keys.ChosenKey()));
    m_keys->addItem(KeyName(keys.ChosenKey()));
    m_selected = static_cast<int>(m_buttons.size()) - 1;
    ShowButton();
    // The new button takes the first element of the first bit group.
    GlobalButton& added = m_buttons.back();
    added.TypeText = GbkFromQString(m_type->currentText());
    added.GroupName = GbkFromQString(m_group->currentText());
    added.ElementName = GbkFromQString(m_element->currentText());
}

void CGlobalButtonDlg::OnDelete()
{
    if (!Selected()) {
        CurrentUi().ShowMessage(IdsNoRecordToDelete, MbOk | MbIconWarning);
        return;
    }
    if (CurrentUi().ShowMessage(IdsDeleteButtonQuestion, MbYesNo | MbIconInformation) != IdYes)
        return;
    m_buttons.erase(m_buttons.begin() + m_selected);
    m_keys->removeItem(m_selected);
    m_selected = std::clamp(m_selected, 0, std::max(0, static_cast<int>(m_buttons.size()) - 1));
    ShowButton();
}

void CGlobalButtonDlg::OnOK()
{
    m_doc.GlobalButtons = m_buttons;
    m_doc.SelectedGlobalButton = m_selected;
    m_doc.ProjectModified = 1;
    accept();
}
