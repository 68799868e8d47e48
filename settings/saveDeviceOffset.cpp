#include "settings/saveDeviceOffset.hpp"

#include "app/fileProblem.hpp"

#include <toml++/toml.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace
{

// The byte at which a line and column of the text begin; toml++ counts columns in code points of UTF-8.
std::size_t byteOf(const std::string& text, toml::source_index line, toml::source_index column)
{
    std::size_t at = 0;
    for (toml::source_index i = 1; i < line && at < text.size(); ++i)
        at = text.find('\n', at) == std::string::npos ? text.size() : text.find('\n', at) + 1;
    for (toml::source_index i = 1; i < column && at < text.size(); ++i)
    {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            ++at;
    }
    return at;
}

// A device name as a TOML key: a basic string with what must be escaped escaped.
std::string quotedKey(const std::string& name)
{
    std::string key = "\"";
    for (const char c : name)
    {
        if (c == '"' || c == '\\')
            key += '\\';
        if (static_cast<unsigned char>(c) < 0x20)
        {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            key += escaped;
            continue;
        }
        key += c;
    }
    return key + "\"";
}

toml::table parsed(const std::string& text, const std::string& path)
{
    try
    {
        return toml::parse(text, path);
    }
    catch (const toml::parse_error& error)
    {
        throw SettingsSaveError("the file does not parse (line " + std::to_string(error.source().begin.line) + ": " +
                                std::string(error.description()) + ")");
    }
}

// The text with the device's offset in it, the rest as it was.
std::string withOffset(const std::string& text, const toml::table& root, const std::string& device, int offsetMs)
{
    const std::string value = std::to_string(offsetMs);
    const toml::node_view<const toml::node> offsets = root["audio"]["device_offsets"];
    if (const toml::node* own = offsets[device].node())
    {
        const toml::source_region& where = own->source();
        const std::size_t begin = byteOf(text, where.begin.line, where.begin.column);
        const std::size_t end = byteOf(text, where.end.line, where.end.column);
        return text.substr(0, begin) + value + text.substr(end);
    }
    const std::string entry = quotedKey(device) + " = " + value;
    const toml::table* table = offsets.as_table();
    if (table == nullptr)
        return text +
               (text.empty()          ? ""
                : text.back() == '\n' ? "\n"
                                      : "\n\n") +
               "[audio.device_offsets]\n" + entry + "\n";
    if (table->is_inline())
    {
        // After the last entry, or inside the braces of an empty table.
        std::size_t at = table->empty() ? byteOf(text, table->source().end.line, table->source().end.column) - 1 : 0;
        for (auto&& [key, node] : *table)
            at = std::max(at, byteOf(text, node.source().end.line, node.source().end.column));
        return text.substr(0, at) + (table->empty() ? "" : ", ") + entry + text.substr(at);
    }
    // A table of its own: the new line goes after its last entry (or its header), before what follows.
    toml::source_index last = table->source().begin.line;
    for (auto&& [key, node] : *table)
        last = std::max(last, node.source().end.line);
    const std::size_t after = byteOf(text, last + 1, 1);
    const std::string before = text.substr(0, after);
    return before + (before.empty() || before.back() == '\n' ? "" : "\n") + entry + "\n" + text.substr(after);
}

} // namespace

void saveDeviceOffset(const std::string& path, const std::string& device, int offsetMs)
{
    namespace fs = std::filesystem;
    std::string text;
    std::error_code error;
    if (fs::exists(path, error))
    {
        errno = 0;
        std::ifstream in(path, std::ios::binary);
        if (!in || fs::is_directory(path, error))
            throw SettingsSaveError("cannot read it: " + fileProblem(path, errno));
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string changed = withOffset(text, parsed(text, path), device, offsetMs);
    // What the file will say must be what was measured, however the player laid the file out.
    const std::optional<std::int64_t> saved =
        parsed(changed, path)["audio"]["device_offsets"][device].value_exact<std::int64_t>();
    if (!saved || *saved != offsetMs)
        throw SettingsSaveError("its [audio] table is laid out in a way this save cannot add to; add the line " +
                                quotedKey(device) + " = " + std::to_string(offsetMs) +
                                " under [audio.device_offsets] by hand");

    const fs::path target(path);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), error);
    const std::string temporary = path + ".saving";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << changed;
        out.close();
        if (!out)
        {
            const int reason = errno;
            fs::remove(temporary, error);
            throw SettingsSaveError("cannot write \"" + temporary + "\": " + fileProblem(temporary, reason));
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        const int reason = errno;
        fs::remove(temporary, error);
        throw SettingsSaveError("cannot replace it: " + fileProblem(path, reason));
    }
}
