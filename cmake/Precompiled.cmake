# Precompiled headers: the Qt and GoogleTest headers take most of each
# translation unit's compile time (a widget source parses ~150,000 lines of
# them), and the test configuration compiles some 250 such units. Each list
# holds only headers that most units of its target include anyway. The core
# tests' list holds no Qt header: Qt's keyword macros (slots, emit) would
# change the meaning of tests that never include Qt.

set(VX50_WIDGET_PCH_HEADERS
    <QCheckBox> <QComboBox> <QDialog> <QDialogButtonBox> <QFormLayout>
    <QGroupBox> <QHBoxLayout> <QKeyEvent> <QLabel> <QLineEdit> <QPainter>
    <QRadioButton> <QVBoxLayout> <QWidget>
    <algorithm> <memory> <string> <vector>)

set(VX50_CORE_TEST_PCH_HEADERS
    <gmock/gmock.h> <gtest/gtest.h>
    <algorithm> <cstdint> <memory> <optional> <string> <string_view> <vector>)
