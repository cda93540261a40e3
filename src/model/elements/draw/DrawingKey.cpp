#include "model/elements/draw/DrawingKey.h"

#include "model/elements/CScreenElement.h"

void AppendKey(std::string& key, long long value)
{
    key += std::to_string(value);
    key += ';';
}

void AppendKey(std::string& key, std::string_view text)
{
    AppendKey(key, static_cast<long long>(text.size()));
    key += text;
}

std::string CScreenElement::EditorDrawingKey() const
{
    std::string key;
    AppendKey(key, Tool());
    for (int value : {m_x, m_y, m_width, m_height})
        AppendKey(key, value);
    AppendKey(key, m_darkColour);
    AppendKey(key, m_lightColour);
    return key;
}
