#include "platform/gfxx/D3DXEffect.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gfx/RefCounted.h"
#include "platform/gfxx/GlslProgram.h"
#include "platform/gfxx/TechniqueFile.h"

namespace {

struct ParameterValue {
    float values[16] = {};
    IDirect3DBaseTexture9* texture = nullptr;
};

// What a pass replaced on the device, to put back at its end.
struct SavedTexture {
    DWORD stage;
    IDirect3DBaseTexture9* texture; // carries the reference GetTexture gave
};
struct SavedTransform {
    D3DTRANSFORMSTATETYPE slot;
    D3DMATRIX matrix;
};

D3DTRANSFORMSTATETYPE DeviceSlot(TransformSlot slot)
{
    switch (slot) {
    case TransformSlot::World: return D3DTS_WORLD;
    case TransformSlot::View: return D3DTS_VIEW;
    case TransformSlot::Projection: return D3DTS_PROJECTION;
    }
    return D3DTS_WORLD;
}

class Effect final : public RefCounted<ID3DXEffect> {
public:
    Effect(IDirect3DDevice9* device, TechniqueFile file) : device_(device), file_(std::move(file))
    {
        device_->AddRef();
        values_.resize(file_.parameters.size());
        for (std::size_t i = 0; i < values_.size(); ++i)
            std::copy(file_.parameters[i].initial.begin(), file_.parameters[i].initial.end(), values_[i].values);
    }

    ~Effect() override
    {
        EndPass();
        for (auto& value : values_)
            if (value.texture)
                value.texture->Release();
        programs_.clear();
        device_->Release();
    }

    bool Compile(std::string& error)
    {
        for (const auto& technique : file_.techniques) {
            GlslProgram& program = programs_.emplace_back();
            if (technique.kind == PassKind::Glsl && !program.Build(technique, file_, error))
                return false;
        }
        return true;
    }

    D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) override
    {
        const int index = parent == nullptr ? ParameterIndex(name) : -1;
        return index < 0 ? nullptr : file_.parameters[std::size_t(index)].name.c_str();
    }

    D3DXHANDLE GetTechniqueByName(const char* name) override
    {
        const int index = TechniqueIndex(name);
        return index < 0 ? nullptr : file_.techniques[std::size_t(index)].name.c_str();
    }

    HRESULT SetFloat(D3DXHANDLE parameter, float value) override { return SetFloats(parameter, &value, 1); }
    HRESULT SetVector(D3DXHANDLE parameter, const D3DXVECTOR4* vector) override
    {
        return vector ? SetFloats(parameter, &vector->x, 4) : D3DERR_INVALIDCALL;
    }
    HRESULT SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX* matrix) override
    {
        return matrix ? SetFloats(parameter, &matrix->m[0][0], 16) : D3DERR_INVALIDCALL;
    }
    HRESULT SetValue(D3DXHANDLE parameter, const void* data, UINT bytes) override
    {
        if (!data || bytes % sizeof(float) != 0)
            return D3DERR_INVALIDCALL;
        float values[16];
        const std::size_t count = std::min<std::size_t>(bytes / sizeof(float), 16);
        std::memcpy(values, data, count * sizeof(float));
        return SetFloats(parameter, values, count);
    }

    HRESULT SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9* texture) override
    {
        const int index = ParameterIndex(parameter);
        if (index < 0 || file_.parameters[std::size_t(index)].type != ParameterType::Texture)
            return D3DERR_INVALIDCALL;
        ParameterValue& value = values_[std::size_t(index)];
        if (texture)
            texture->AddRef();
        if (value.texture)
            value.texture->Release();
        value.texture = texture;
        return D3D_OK;
    }

    HRESULT SetTechnique(D3DXHANDLE technique) override
    {
        const int index = TechniqueIndex(technique);
        if (index < 0)
            return D3DERR_INVALIDCALL;
        technique_ = index;
        return D3D_OK;
    }

    D3DXHANDLE GetCurrentTechnique() override
    {
        return file_.techniques.empty() ? nullptr : file_.techniques[std::size_t(technique_)].name.c_str();
    }

    HRESULT Begin(UINT* passes, DWORD flags) override
    {
        if (file_.techniques.empty())
            return D3DERR_INVALIDCALL;
        if (passes)
            *passes = 1;
        saveState_ = (flags & D3DXFX_DONOTSAVESTATE) == 0;
        begun_ = true;
        return D3D_OK;
    }

    HRESULT BeginPass(UINT pass) override
    {
        if (!begun_ || passActive_ || pass != 0)
            return D3DERR_INVALIDCALL;
        passActive_ = true;
        glUseProgram(programs_[std::size_t(technique_)].Program());
        ApplyPass();
        return D3D_OK;
    }

    HRESULT Pass(UINT pass) override
    {
        return BeginPass(pass);
    }

    HRESULT CommitChanges() override
    {
        if (!passActive_)
            return D3DERR_INVALIDCALL;
        committing_ = true;
        ApplyPass();
        committing_ = false;
        return D3D_OK;
    }

    HRESULT EndPass() override
    {
        if (!passActive_)
            return D3DERR_INVALIDCALL;
        passActive_ = false;
        glUseProgram(0);
        for (auto it = savedTextures_.rbegin(); it != savedTextures_.rend(); ++it) {
            device_->SetTexture(it->stage, it->texture);
            if (it->texture)
                it->texture->Release();
        }
        for (auto it = savedTransforms_.rbegin(); it != savedTransforms_.rend(); ++it)
            device_->SetTransform(it->slot, &it->matrix);
        savedTextures_.clear();
        savedTransforms_.clear();
        return D3D_OK;
    }

    HRESULT End() override
    {
        if (!begun_)
            return D3DERR_INVALIDCALL;
        if (passActive_)
            EndPass();
        begun_ = false;
        return D3D_OK;
    }

    HRESULT OnLostDevice() override { return End(), D3D_OK; }
    HRESULT OnResetDevice() override { return D3D_OK; }

private:
    int ParameterIndex(D3DXHANDLE handle) const
    {
        if (!handle)
            return -1;
        for (std::size_t i = 0; i < file_.parameters.size(); ++i)
            if (file_.parameters[i].name.c_str() == handle)
                return int(i);
        for (std::size_t i = 0; i < file_.parameters.size(); ++i)
            if (file_.parameters[i].name == handle)
                return int(i);
        return -1;
    }

    int TechniqueIndex(D3DXHANDLE handle) const
    {
        if (!handle)
            return -1;
        for (std::size_t i = 0; i < file_.techniques.size(); ++i)
            if (file_.techniques[i].name.c_str() == handle || file_.techniques[i].name == handle)
                return int(i);
        return -1;
    }

    HRESULT SetFloats(D3DXHANDLE parameter, const float* values, std::size_t count)
    {
        const int index = ParameterIndex(parameter);
        if (index < 0 || file_.parameters[std::size_t(index)].type == ParameterType::Texture)
            return D3DERR_INVALIDCALL;
        std::copy(values, values + count, values_[std::size_t(index)].values);
        return D3D_OK;
    }

    // Binds the pass's textures and loads its uniforms or transforms from the parameters.
    void ApplyPass()
    {
        const TechniqueDeclaration& technique = file_.techniques[std::size_t(technique_)];
        for (const auto& sampler : technique.samplers)
            if (const int index = ParameterIndex(sampler.uniform.c_str()); index >= 0)
                BindTexture(DWORD(sampler.unit), values_[std::size_t(index)].texture);
        for (const auto& texture : technique.textures)
            BindTexture(DWORD(texture.stage), values_[std::size_t(ParameterIndex(texture.parameter.c_str()))].texture);
        for (const auto& transform : technique.transforms)
            LoadTransform(DeviceSlot(transform.slot), ParameterIndex(transform.parameter.c_str()));
        if (technique.kind == PassKind::Glsl)
            UploadUniforms();
    }

    // Binds on the device; on a pass's first binding of a stage the previous texture is kept.
    void BindTexture(DWORD stage, IDirect3DBaseTexture9* texture)
    {
        if (saveState_ && !committing_) {
            IDirect3DBaseTexture9* previous = nullptr;
            device_->GetTexture(stage, &previous);
            savedTextures_.push_back({stage, previous});
        }
        device_->SetTexture(stage, texture);
    }

    void LoadTransform(D3DTRANSFORMSTATETYPE slot, int parameter)
    {
        if (saveState_ && !committing_) {
            SavedTransform saved {slot, {}};
            device_->GetTransform(slot, &saved.matrix);
            savedTransforms_.push_back(saved);
        }
        D3DMATRIX matrix;
        std::memcpy(&matrix, values_[std::size_t(parameter)].values, sizeof matrix);
        device_->SetTransform(slot, &matrix);
    }

    void UploadUniforms()
    {
        const GlslProgram& program = programs_[std::size_t(technique_)];
        for (const UniformSlot& slot : program.Uniforms()) {
            const float* values = values_[std::size_t(slot.parameter)].values;
            switch (file_.parameters[std::size_t(slot.parameter)].type) {
            case ParameterType::Float: glUniform1f(slot.location, values[0]); break;
            case ParameterType::Vector: glUniform4fv(slot.location, 1, values); break;
            // Transposed: GLSL's `row * matrix` then applies it as Direct3D does.
            case ParameterType::Matrix: glUniformMatrix4fv(slot.location, 1, GL_TRUE, values); break;
            case ParameterType::Texture: break;
            }
        }
        const ShaderConstants* constants = ShaderConstantsOf(device_);
        if (!constants)
            return;
        for (int i = 0; i < GlslProgram::PixelConstantCount; ++i)
            if (program.PixelConstant(i) >= 0)
                glUniform4fv(program.PixelConstant(i), 1, constants->pixelF[i]);
        if (program.IntConstant() >= 0)
            glUniform4iv(program.IntConstant(), 1, constants->vertexI[0]);
    }

    IDirect3DDevice9* device_;
    TechniqueFile file_;
    std::vector<ParameterValue> values_;
    std::vector<GlslProgram> programs_; // one per technique; empty for fixed-function ones
    std::vector<SavedTexture> savedTextures_;
    std::vector<SavedTransform> savedTransforms_;
    int technique_ = 0;
    bool begun_ = false, passActive_ = false, saveState_ = true, committing_ = false;
};

void ReportError(ID3DXBuffer** errors, const std::string& message)
{
    if (errors)
        *errors = CreateTextBuffer(message.c_str());
}

} // namespace

HRESULT D3DXCreateEffect(IDirect3DDevice9* device, const void* data, UINT size, const D3DXMACRO* defines,
                         ID3DXInclude* include, DWORD, ID3DXEffectPool* pool, ID3DXEffect** effect,
                         ID3DXBuffer** errors)
{
    if (errors)
        *errors = nullptr;
    if (!device || !data || !effect || defines || include || pool)
        return D3DERR_INVALIDCALL;
    *effect = nullptr;
    TechniqueFile file;
    std::string error;
    if (!ParseTechniqueFile(static_cast<const char*>(data), size, file, error)) {
        ReportError(errors, error);
        return D3DXERR_INVALIDDATA;
    }
    auto* created = new Effect(device, std::move(file));
    if (!created->Compile(error)) {
        created->Release();
        ReportError(errors, error);
        return E_FAIL;
    }
    *effect = created;
    return D3D_OK;
}
