// vorn_attrib: one typed name/value attribute of a key or certificate. It keeps its own
// copies, so the callers' Xstrings may go before the attribute is used.
#include "tolvak32.h"

vorn_attrib::vorn_attrib(vorn_attrtype type, Xstring& name, Xstring& value)
    : m_type(type), m_name(name), m_value(value) {}

vorn_attrib::~vorn_attrib() = default;
