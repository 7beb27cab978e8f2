#include "platform/gfxx/TechniqueFile.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <string_view>

namespace {

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool IsBlankOrComment(std::string_view line)
{
    auto words = Words(line);
    return words.empty() || words.front().substr(0, 2) == "//";
}

bool ParseUnit(std::string_view word, int& unit)
{
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), unit);
    return error == std::errc() && end == word.data() + word.size() && unit >= 0 && unit < MaxTextureUnits;
}

class Parser {
public:
    Parser(TechniqueFile& file, std::string& error) : file_(file), error_(error) {}

    bool Run(std::string_view text)
    {
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            ++lineNumber_;
            if (!Line(text.substr(start, end - start)))
                return false;
            start = end + 1;
        }
        if (!sawHeader_)
            return Fail("missing @techniques 1");
        if (current_)
            return Fail("technique " + current_->name + " has no @end");
        return true;
    }

private:
    enum class Block { None, Common, Vertex, Fragment };

    bool Fail(const std::string& message)
    {
        std::ostringstream text;
        text << "line " << lineNumber_ << ": " << message;
        error_ = text.str();
        return false;
    }

    bool Line(std::string_view line)
    {
        if (line.empty() || line.front() != '@') {
            if (block_ == Block::None)
                return IsBlankOrComment(line) || Fail("text outside a source block");
            std::string& source = block_ == Block::Common ? common_
                                  : block_ == Block::Vertex ? current_->vertexSource
                                                            : current_->fragmentSource;
            source.append(line).push_back('\n');
            return true;
        }
        block_ = Block::None;
        const auto words = Words(line);
        const std::string_view directive = words.front();
        if (!sawHeader_) {
            if (directive != "@techniques" || words.size() != 2 || words[1] != "1")
                return Fail("the file must begin with @techniques 1");
            sawHeader_ = true;
            return true;
        }
        if (directive == "@parameter")
            return Parameter(words);
        if (directive == "@common")
            return Common(words);
        if (directive == "@technique")
            return Technique(words);
        if (!current_)
            return Fail(std::string(directive) + " outside a technique");
        if (directive == "@end")
            return End(words);
        if (current_->kind == PassKind::Glsl) {
            if (directive == "@sampler")
                return Sampler(words);
            if (directive == "@vertex" || directive == "@fragment")
                return Source(words);
        } else {
            if (directive == "@texture")
                return Texture(words);
            if (directive == "@transform")
                return Transform(words);
        }
        return Fail("unknown directive " + std::string(directive));
    }

    bool Parameter(const std::vector<std::string_view>& words)
    {
        if (current_)
            return Fail("@parameter inside a technique");
        if (words.size() < 3)
            return Fail("@parameter needs a type and a name");
        static constexpr std::pair<std::string_view, ParameterType> types[] = {
            {"float", ParameterType::Float}, {"vector", ParameterType::Vector},
            {"matrix", ParameterType::Matrix}, {"texture", ParameterType::Texture}};
        auto type = std::find_if(std::begin(types), std::end(types), [&](auto& t) { return t.first == words[1]; });
        if (type == std::end(types))
            return Fail("unknown parameter type " + std::string(words[1]));
        std::string name(words[2]);
        if (file_.FindParameter(name))
            return Fail("parameter " + name + " declared twice");
        std::vector<float> initial;
        for (std::size_t i = 3; i < words.size(); ++i) {
            float value = 0;
            auto [end, error] = std::from_chars(words[i].data(), words[i].data() + words[i].size(), value);
            if (error != std::errc() || end != words[i].data() + words[i].size())
                return Fail("initial value " + std::string(words[i]) + " is not a number");
            initial.push_back(value);
        }
        if (initial.size() > 16 || (type->second == ParameterType::Texture && !initial.empty()))
            return Fail("parameter " + name + " has too many initial values");
        file_.parameters.push_back({name, type->second, std::move(initial)});
        return true;
    }

    bool Common(const std::vector<std::string_view>& words)
    {
        if (current_ || words.size() != 1)
            return Fail("@common stands alone, before the techniques");
        if (!file_.techniques.empty())
            return Fail("@common after a technique");
        block_ = Block::Common;
        return true;
    }

    bool Technique(const std::vector<std::string_view>& words)
    {
        if (current_)
            return Fail("technique " + current_->name + " has no @end");
        if (words.size() != 3 || (words[2] != "glsl" && words[2] != "fixed"))
            return Fail("@technique needs a name and glsl or fixed");
        std::string name(words[1]);
        for (const auto& technique : file_.techniques)
            if (technique.name == name)
                return Fail("technique " + name + " declared twice");
        current_ = &file_.techniques.emplace_back();
        current_->name = name;
        current_->kind = words[2] == "glsl" ? PassKind::Glsl : PassKind::Fixed;
        return true;
    }

    bool Sampler(const std::vector<std::string_view>& words)
    {
        int unit = 0;
        if (words.size() != 3 || !ParseUnit(words[2], unit))
            return Fail("@sampler needs a uniform name and a unit 0-7");
        std::string uniform(words[1]);
        for (const auto& sampler : current_->samplers)
            if (sampler.uniform == uniform || sampler.unit == unit)
                return Fail("sampler " + uniform + " or unit " + std::string(words[2]) + " bound twice");
        const auto* parameter = file_.FindParameter(uniform);
        if (parameter && parameter->type != ParameterType::Texture)
            return Fail(uniform + " is not a texture parameter");
        current_->samplers.push_back({uniform, unit});
        return true;
    }

    bool Source(const std::vector<std::string_view>& words)
    {
        if (words.size() != 1)
            return Fail(std::string(words[0]) + " stands alone");
        const bool vertex = words[0] == "@vertex";
        std::string& source = vertex ? current_->vertexSource : current_->fragmentSource;
        if (!source.empty())
            return Fail(std::string(words[0]) + " given twice");
        source = common_;
        if (source.empty())
            source.push_back('\n'); // marks the block as given even when its text is empty
        block_ = vertex ? Block::Vertex : Block::Fragment;
        return true;
    }

    bool Texture(const std::vector<std::string_view>& words)
    {
        int stage = 0;
        if (words.size() != 3 || !ParseUnit(words[1], stage))
            return Fail("@texture needs a stage 0-7 and a texture parameter");
        if (!IsParameterOf(words[2], ParameterType::Texture))
            return Fail(std::string(words[2]) + " is not a declared texture parameter");
        current_->textures.push_back({stage, std::string(words[2])});
        return true;
    }

    bool Transform(const std::vector<std::string_view>& words)
    {
        static constexpr std::pair<std::string_view, TransformSlot> slots[] = {
            {"world", TransformSlot::World}, {"view", TransformSlot::View}, {"projection", TransformSlot::Projection}};
        auto slot = words.size() == 3 ? std::find_if(std::begin(slots), std::end(slots),
                                                     [&](auto& s) { return s.first == words[1]; })
                                      : std::end(slots);
        if (slot == std::end(slots))
            return Fail("@transform needs world, view or projection and a matrix parameter");
        if (!IsParameterOf(words[2], ParameterType::Matrix))
            return Fail(std::string(words[2]) + " is not a declared matrix parameter");
        current_->transforms.push_back({slot->second, std::string(words[2])});
        return true;
    }

    bool End(const std::vector<std::string_view>& words)
    {
        if (words.size() != 1)
            return Fail("@end stands alone");
        if (current_->kind == PassKind::Glsl && (current_->vertexSource.empty() || current_->fragmentSource.empty()))
            return Fail("technique " + current_->name + " needs @vertex and @fragment");
        current_ = nullptr;
        return true;
    }

    bool IsParameterOf(std::string_view name, ParameterType type) const
    {
        const auto* parameter = file_.FindParameter(std::string(name));
        return parameter && parameter->type == type;
    }

    TechniqueFile& file_;
    std::string& error_;
    std::string common_;
    TechniqueDeclaration* current_ = nullptr;
    Block block_ = Block::None;
    bool sawHeader_ = false;
    int lineNumber_ = 0;
};

} // namespace

const ParameterDeclaration* TechniqueFile::FindParameter(const std::string& name) const
{
    for (const auto& parameter : parameters)
        if (parameter.name == name)
            return &parameter;
    return nullptr;
}

bool ParseTechniqueFile(const char* text, std::size_t size, TechniqueFile& file, std::string& error)
{
    file = TechniqueFile();
    if (text == nullptr)
        return error = "no technique file", false;
    if (std::find(text, text + size, '\0') != text + size)
        return error = "a technique file is text without zero bytes", false;
    return Parser(file, error).Run(std::string_view(text, size));
}
