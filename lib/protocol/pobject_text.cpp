// The two text forms of PObject, written into logs and debug windows.
#include <charconv>

#include "protocol/pobject.h"

namespace {

void appendDecimal(std::string& out, uint64_t value) {
    char digits[24];
    std::to_chars_result r = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, r.ptr);
}

void appendQuoted(std::string& out, const char* text, size_t n) {
    out += '"';
    out.append(text, n);
    out += '"';
}

// "{offset: N, length: N, path: "..."" of a file region, left open for the
// fields a region with digests adds.
void appendRegionStart(std::string& out, uint64_t offset, uint64_t length, const ustring& path) {
    out += "{offset: ";
    appendDecimal(out, offset);
    out += ", length: ";
    appendDecimal(out, length);
    out += ", path: ";
    appendQuoted(out, path.c_str_utf8(), path.length());
}

// A line feed and four blanks per indent level.
void pushNewLine(std::string& out, int indent) {
    out += '\n';
    if (indent > 0)
        out.append(static_cast<size_t>(indent) * 4, ' ');
}

}  // namespace

void PObject::toStringTo(string_type& out) const {
    switch (type) {
    case TYPE_STRING: {
        const string_type& text = held<string_type>();
        appendQuoted(out, text.data(), text.size());
        break;
    }
    case TYPE_INTEGER:
        appendDecimal(out, held<integer_type>());
        break;
    case TYPE_ARRAY: {
        out += '[';
        bool first = true;
        for (const PObject& element : held<array_type>()) {
            if (!first)
                out += ", ";
            first = false;
            element.toStringTo(out);
        }
        out += ']';
        break;
    }
    case TYPE_MAP: {
        out += '{';
        bool first = true;
        for (const map_type::value_type& member : held<map_type>()) {
            if (!first)
                out += ", ";
            first = false;
            appendQuoted(out, member.first.data(), member.first.size());
            out += ": ";
            member.second.toStringTo(out);
        }
        out += '}';
        break;
    }
    case TYPE_BINARY: {
        const binary_type& region = held<binary_type>();
        appendRegionStart(out, region.offset, region.length, region.path);
        out += '}';
        break;
    }
    case TYPE_BINARY_EX: {
        const binary_ex_type& region = held<binary_ex_type>();
        appendRegionStart(out, region.offset, region.length, region.path);
        out += ", send_hash: ";
        appendQuoted(out, region.send_hash.data(), region.send_hash.size());
        out += ", recv_hash: ";
        appendQuoted(out, region.recv_hash.data(), region.recv_hash.size());
        out += ", hash_algo: ";
        appendQuoted(out, region.hash_algorithm.data(), region.hash_algorithm.size());
        out += '}';
        break;
    }
    case TYPE_BUFFER:
        out += "{data_length: ";
        appendDecimal(out, held<buffer_type>().data_length);
        out += ", }";
        break;
    default:
        out += "null";
        break;
    }
}

PObject::string_type PObject::toString() const {
    string_type out;
    toStringTo(out);
    return out;
}

PObject::string_type PObject::toPrettyString() const {
    const string_type flat = toString();
    string_type out;
    out.reserve(flat.size() * 2 + 1);
    out += '\n';
    int indent = 0;
    bool quoted = false;
    for (size_t i = 0; i < flat.size(); ++i) {
        const char c = flat[i];
        if (c == '"') {
            quoted = !quoted;
            out += c;
            continue;
        }
        if (quoted) {
            out += c;
            continue;
        }
        switch (c) {
        case ' ':
            break;
        case ']':
        case '}':
            --indent;
            pushNewLine(out, indent);
            out += c;
            break;
        case '[':
        case '{':
            out += c;
            if (i + 1 < flat.size() && (flat[i + 1] == ']' || flat[i + 1] == '}')) {
                out += flat[++i];  // an empty container stays on one line
            } else {
                ++indent;
                pushNewLine(out, indent);
            }
            break;
        case ',':
            out += c;
            pushNewLine(out, indent);
            break;
        case ':':
            out += ": ";
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}
