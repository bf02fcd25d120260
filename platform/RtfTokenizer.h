#pragma once

#include <QByteArrayView>
#include <string_view>

// One lexical element of an RTF byte stream.
struct RtfToken
{
    enum class Kind { GroupStart, GroupEnd, ControlWord, ControlSymbol, HexByte, Text, End };

    Kind kind = Kind::End;
    std::string_view word;      // ControlWord: the letters; Text: a run of plain bytes
    bool hasParameter = false;  // ControlWord
    int parameter = 0;          // ControlWord, saturated to +-RtfTokenizer::parameterLimit
    char symbol = 0;            // ControlSymbol: the character after the backslash
    unsigned char byte = 0;     // HexByte
};

// Splits RTF bytes into tokens. Every call to next() consumes at least one
// byte until the end, so a reader loop over it always terminates. Line ends
// are dropped (they are not text in RTF); the data of \binN is skipped here so
// that its bytes can never be mistaken for braces or text.
class RtfTokenizer final
{
public:
    // Parameters beyond this magnitude are clamped; no RTF value needs more.
    static constexpr int parameterLimit = 1'000'000'000;

    explicit RtfTokenizer(QByteArrayView data) : m_data(data) {}

    RtfToken next();

private:
    RtfToken readControl();
    RtfToken readControlWord();
    RtfToken readText();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
};
