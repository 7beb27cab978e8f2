// The four technique files, one per shader level: _00 fixed-function passes only, _11 vertex
// programs with simple per-pixel work, _14 adds the blended and scrolling effects, _20 per-pixel
// lighting, normal maps and the animated ocean. Every file declares every parameter and
// technique the game uses; passes a level cannot reach in the game (its options are lowered)
// still compile, as simpler variants.
#include <string>

#include "tools/makedata/Generators.h"

namespace {

enum Level { Level00, Level11, Level14, Level20 };

const char* const Parameters = R"(@techniques 1
// Matrices are Direct3D's: GLSL applies them as `row * matrix`.
@parameter matrix matWorld 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1
@parameter matrix matView 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1
@parameter matrix matProj 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1
@parameter matrix matViewProj 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1
@parameter matrix matWorldViewProj 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1
@parameter vector EyePos 0 0 0 1
@parameter vector EyePosMS 0 0 0 1
@parameter vector DirLight_Diff 1 1 1 1
@parameter vector DirLight_Spec 1 1 1 1
@parameter vector DirLight_Dir 0 -1 0 1
@parameter vector DirLight_PosMS 0 100000 0 1
@parameter vector GlobalAmbient 0.2 0.2 0.2 1
@parameter vector FogColor 0 0 0 1
@parameter vector MatAmbient 1 1 1 1
@parameter vector MatDiffuse 1 1 1 1
@parameter vector MatSpecular 0 0 0 1
@parameter vector MatEmissive 0 0 0 0
@parameter vector vecTime 0 0 0 0
@parameter vector FogParam 1 1 1 1
@parameter vector vecCloud1Velocity -0.0025 -0.005 -0.00375 -0.005
@parameter vector vecCloud2Velocity -0.0025 -0.005 -0.00375 -0.005
@parameter vector vecCloud1BaseScale 1 0.4 2.5 2.5
@parameter vector vecCloud2BaseScale 1 1.2 4.1 4.1
@parameter vector vecCloud1Distortion 0.4 0.4 0 0.4
@parameter vector vecCloud2Distortion 0.2 0.2 0 0.4
@parameter vector vecCloud1Color 1 1 1 1
@parameter vector vecCloud2Color 1 1 1 1
@parameter vector OceanColor 0.05 0.2 0.4 1
@parameter vector WaveScale 8 7 1 1
@parameter vector OceanOffset 0 0 0 0
@parameter float Bumpiness 1
@parameter float MatSpecularPow 32
@parameter float FadeBias -0.25
@parameter float FadeExp -0.5
@parameter float ModelBSRadius 1
@parameter float NoiseSpeed 0.1
@parameter texture texBaseMap1
@parameter texture texBumpMap
@parameter texture texNoise3D
@parameter texture texSpaceSkyEnvMap
@parameter texture texPlanetEnvMap
@parameter texture texCubeMap1
@parameter texture texCubeMap2
)";

const char* const Common = R"(@common
#version 120
uniform mat4 matWorld, matView, matProj, matViewProj, matWorldViewProj;
uniform vec4 EyePos, EyePosMS, DirLight_Diff, DirLight_Spec, DirLight_Dir, DirLight_PosMS;
uniform vec4 GlobalAmbient, FogColor, MatAmbient, MatDiffuse, MatSpecular, MatEmissive, vecTime, FogParam;
uniform vec4 vecCloud1Velocity, vecCloud2Velocity, vecCloud1BaseScale, vecCloud2BaseScale;
uniform vec4 vecCloud1Distortion, vecCloud2Distortion, vecCloud1Color, vecCloud2Color;
uniform vec4 OceanColor, WaveScale, OceanOffset;
uniform float Bumpiness, MatSpecularPow, FadeBias, FadeExp, ModelBSRadius, NoiseSpeed;
uniform sampler2D texBaseMap1, texBumpMap;
uniform sampler3D texNoise3D;
uniform samplerCube texSpaceSkyEnvMap, texPlanetEnvMap;
// The ocean lies around its planet, OceanOffset from the place of the matWorld it is drawn with
// (the nebula's, on the eye) and unturned, so that the eye sees it from outside.
vec4 OceanPlace(vec3 model)
{
    return vec4(model + (vec4(0.0, 0.0, 0.0, 1.0) * matWorld).xyz + OceanOffset.xyz, 1.0);
}
)";

// ---- GLSL techniques ----

// Glow sprites (batch, flames, stars, sun). Vertex: corner offset in the sprite's frame, colour,
// texture set 0 the sprite's place in its texture, set 1 the centre, set 2 the up vector. The
// sprite is turned to the eye about its centre as the processor path does.
const char* const DirectLights = R"(@technique techDirectLights glsl
@sampler texBaseMap1 0
@vertex
varying vec4 colour;
void main()
{
    vec3 centre = (vec4(gl_MultiTexCoord1.xyz, 1.0) * matWorld).xyz;
    vec3 up = (vec4(gl_MultiTexCoord2.xyz, 0.0) * matWorld).xyz;
    vec3 forward = EyePos.xyz - centre;
    forward = dot(forward, forward) > 1e-8 ? normalize(forward) : vec3(0.0, 0.0, 1.0);
    vec3 right = cross(up, forward);
    if (dot(right, right) < 1e-8)
        right = cross(abs(forward.y) < 0.99 ? vec3(0.0, 1.0, 0.0) : vec3(1.0, 0.0, 0.0), forward);
    right = normalize(right);
    vec3 trueUp = normalize(cross(forward, right));
    vec3 corner = gl_Vertex.xyz;
    vec3 position = centre + corner.x * right + corner.y * trueUp + corner.z * forward;
    gl_Position = vec4(position, 1.0) * matView * matProj;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    colour = gl_Color * FogParam;
}
@fragment
varying vec4 colour;
void main()
{
    gl_FragColor = texture2D(texBaseMap1, gl_TexCoord[0].xy) * colour;
}
@end
)";

// The blurred frame: target 0 (this frame) on stage 0, older frames on stages 1-3; c0.x is the
// strength and c1.x = 1 / (4 c0.x), so c0.x c1.x weighs the four alike. c2-c5 bound the texture
// coordinates sampled in targets 0-3 (least u, least v, most u, most v) to the area the scene
// filled there.
const char* const MotionBlur = R"(@technique techMotionBlur glsl
@sampler frame0 0
@sampler frame1 1
@sampler frame2 2
@sampler frame3 3
@vertex
void main()
{
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_TexCoord[0] = gl_MultiTexCoord0;
}
@fragment
uniform sampler2D frame0, frame1, frame2, frame3;
uniform vec4 c0, c1, c2, c3, c4, c5;
vec4 Filled(sampler2D frame, vec4 area)
{
    return texture2D(frame, clamp(gl_TexCoord[0].xy, area.xy, area.zw));
}
void main()
{
    vec4 current = Filled(frame0, c2);
    vec4 history = (current + Filled(frame1, c3) + Filled(frame2, c4) + Filled(frame3, c5)) * (c0.x * c1.x);
    gl_FragColor = vec4(mix(current, history, clamp(c0.x, 0.0, 1.0)).rgb, 1.0);
}
@end
)";

// Shared by the bump techniques: tangent frame from texture sets 1 (tangent) and 2 (binormal).
const char* const BumpVertex = R"(@vertex
varying vec2 baseUv;
varying vec3 lightTS, viewTS;
void main()
{
    vec3 position = gl_Vertex.xyz;
    vec3 tangent = normalize(gl_MultiTexCoord1.xyz), binormal = normalize(gl_MultiTexCoord2.xyz);
    vec3 normal = normalize(gl_Normal);
    vec3 toLight = DirLight_PosMS.xyz - position, toEye = EyePosMS.xyz - position;
    lightTS = vec3(dot(toLight, tangent), dot(toLight, binormal), dot(toLight, normal));
    viewTS = vec3(dot(toEye, tangent), dot(toEye, binormal), dot(toEye, normal));
    baseUv = gl_MultiTexCoord0.xy + vecTime.xy * SCROLL;
    gl_Position = vec4(position, 1.0) * matWorldViewProj;
}
@fragment
varying vec2 baseUv;
varying vec3 lightTS, viewTS;
void main()
{
    vec4 base = texture2D(texBaseMap1, baseUv);
    vec3 bump = texture2D(texBumpMap, baseUv).xyz * 2.0 - 1.0;
    vec3 normal = normalize(mix(vec3(0.0, 0.0, 1.0), bump, Bumpiness));
    vec3 light = normalize(lightTS), view = normalize(viewTS);
    float diffuse = max(dot(normal, light), 0.0);
    float specular = diffuse > 0.0 ? pow(max(dot(normal, normalize(light + view)), 0.0), max(MatSpecularPow, 1.0)) : 0.0;
    vec3 lit = base.rgb * (GlobalAmbient.rgb * MatAmbient.rgb + DirLight_Diff.rgb * MatDiffuse.rgb * diffuse)
             + DirLight_Spec.rgb * MatSpecular.rgb * specular * base.a + MatEmissive.rgb;
    gl_FragColor = vec4(lit, base.a * MatDiffuse.a);
}
@end
)";

// Lower levels: lit per vertex, the base texture only.
const char* const VertexLitBump = R"(@vertex
varying vec2 baseUv;
varying vec3 diffuseLight, specularLight;
void main()
{
    vec3 position = gl_Vertex.xyz, normal = normalize(gl_Normal);
    vec3 light = normalize(DirLight_PosMS.xyz - position), view = normalize(EyePosMS.xyz - position);
    float diffuse = max(dot(normal, light), 0.0);
    float specular = diffuse > 0.0 ? pow(max(dot(normal, normalize(light + view)), 0.0), max(MatSpecularPow, 1.0)) : 0.0;
    diffuseLight = GlobalAmbient.rgb * MatAmbient.rgb + DirLight_Diff.rgb * MatDiffuse.rgb * diffuse;
    specularLight = DirLight_Spec.rgb * MatSpecular.rgb * specular + MatEmissive.rgb;
    baseUv = gl_MultiTexCoord0.xy + vecTime.xy * SCROLL;
    gl_Position = vec4(position, 1.0) * matWorldViewProj;
}
@fragment
varying vec2 baseUv;
varying vec3 diffuseLight, specularLight;
void main()
{
    vec4 base = texture2D(texBaseMap1, baseUv);
    gl_FragColor = vec4(base.rgb * diffuseLight + specularLight, base.a * MatDiffuse.a);
}
@end
)";

// Clouds: two layers of the cloud texture, each scrolled by its velocity and warped by the
// noise volume, lit by the sun from the side of the planet it faces.
const char* const CloudFull = R"(@technique techCloud glsl
@sampler texBaseMap1 0
@sampler texNoise3D 1
@vertex
varying vec2 uv;
varying float daylight;
void main()
{
    vec4 world = gl_Vertex * matWorld;
    vec3 normal = normalize((vec4(gl_Normal, 0.0) * matWorld).xyz);
    daylight = 0.25 + 0.75 * max(dot(normal, -normalize(DirLight_Dir.xyz)), 0.0);
    uv = gl_MultiTexCoord0.xy;
    gl_Position = world * matViewProj;
}
@fragment
varying vec2 uv;
varying float daylight;
// The noise volume (32 texels a side) filtered across a slice here in full precision: the
// sampler's own filtering of its 8-bit texels steps the warp by a 256th of the distortion, a
// texel and more of the clouds, which shows as stairs where they are seen close up.
vec2 NoiseAt(vec3 at)
{
    vec2 texel = at.xy * 32.0 - 0.5;
    vec2 f = fract(texel);
    vec2 corner = (floor(texel) + 0.5) / 32.0;
    const float step = 1.0 / 32.0;
    vec2 n00 = texture3D(texNoise3D, vec3(corner, at.z)).xy;
    vec2 n10 = texture3D(texNoise3D, vec3(corner + vec2(step, 0.0), at.z)).xy;
    vec2 n01 = texture3D(texNoise3D, vec3(corner + vec2(0.0, step), at.z)).xy;
    vec2 n11 = texture3D(texNoise3D, vec3(corner + vec2(step, step), at.z)).xy;
    return mix(mix(n00, n10, f.x), mix(n01, n11, f.x), f.y);
}
vec4 Layer(vec4 velocity, vec4 baseScale, vec4 distortion)
{
    float t = vecTime.x;
    vec3 warpAt = vec3(uv * baseScale.zw + velocity.zw * t, distortion.w * t * 0.01);
    vec2 warp = (NoiseAt(warpAt) - 0.5) * distortion.xy;
    return texture2D(texBaseMap1, uv * baseScale.xy + velocity.xy * t + warp);
}
void main()
{
    vec4 layer1 = Layer(vecCloud1Velocity, vecCloud1BaseScale, vecCloud1Distortion) * vecCloud1Color;
    vec4 layer2 = Layer(vecCloud2Velocity, vecCloud2BaseScale, vecCloud2Distortion) * vecCloud2Color;
    gl_FragColor = vec4((layer1.rgb + layer2.rgb) * 0.5 * daylight, 1.0);
}
@end
)";

const char* const CloudSimple = R"(@technique techCloud glsl
@sampler texBaseMap1 0
@vertex
varying vec2 uv1, uv2;
void main()
{
    uv1 = gl_MultiTexCoord0.xy * vecCloud1BaseScale.xy + vecCloud1Velocity.xy * vecTime.x;
    uv2 = gl_MultiTexCoord0.xy * vecCloud2BaseScale.xy + vecCloud2Velocity.xy * vecTime.x;
    gl_Position = gl_Vertex * matWorld * matViewProj;
}
@fragment
varying vec2 uv1, uv2;
void main()
{
    vec3 clouds = texture2D(texBaseMap1, uv1).rgb * vecCloud1Color.rgb + texture2D(texBaseMap1, uv2).rgb * vecCloud2Color.rgb;
    gl_FragColor = vec4(clouds * 0.5, 1.0);
}
@end
)";

// Best ocean: waves from two drifting samples of the noise volume bend the normal; the colour is
// lit by the sun and reflects the planet's surroundings, more so towards the rim, where the sun's
// glint on the waves fades out. Drawn with blending off: the rim keeps its colour.
const char* const OceanFull = R"(@technique techOceanSurface glsl
@sampler texNoise3D 0
@sampler texPlanetEnvMap 1
@vertex
varying vec3 modelPosition, worldPosition, worldNormal;
void main()
{
    vec4 world = OceanPlace(gl_Vertex.xyz);
    modelPosition = gl_Vertex.xyz / max(ModelBSRadius, 1e-4);
    worldPosition = world.xyz;
    worldNormal = gl_Normal;
    gl_Position = world * matViewProj;
}
@fragment
varying vec3 modelPosition, worldPosition, worldNormal;
void main()
{
    float t = vecTime.x * NoiseSpeed;
    vec3 wave1 = texture3D(texNoise3D, modelPosition * WaveScale.x + vec3(t, 0.0, 0.7 * t)).xyz;
    vec3 wave2 = texture3D(texNoise3D, modelPosition * WaveScale.y - vec3(0.0, 0.8 * t, t)).xyz;
    vec3 normal = normalize(normalize(worldNormal) + (wave1 + wave2 - 1.0) * 0.35 * WaveScale.z);
    vec3 view = normalize(EyePos.xyz - worldPosition);
    vec3 light = -normalize(DirLight_Dir.xyz);
    float facing = max(dot(normal, view), 0.0);
    float fade = clamp(pow(max(facing, 1e-4), -FadeExp) + FadeBias, 0.0, 1.0);
    vec3 reflected = textureCube(texPlanetEnvMap, reflect(-view, normal)).rgb;
    float fresnel = pow(1.0 - facing, 3.0);
    float glint = pow(max(dot(reflect(-light, normal), view), 0.0), 64.0);
    vec3 water = OceanColor.rgb * (GlobalAmbient.rgb + DirLight_Diff.rgb * max(dot(normal, light), 0.0));
    vec3 colour = mix(water, reflected, fresnel * 0.6) + DirLight_Spec.rgb * glint * fade;
    gl_FragColor = vec4(colour, 1.0);
}
@end
)";

const char* const OceanSimple = R"(@technique techOceanSurface glsl
@vertex
varying vec3 colour;
void main()
{
    vec4 world = OceanPlace(gl_Vertex.xyz);
    vec3 normal = normalize(gl_Normal);
    float sun = max(dot(normal, -normalize(DirLight_Dir.xyz)), 0.0);
    colour = OceanColor.rgb * (GlobalAmbient.rgb + DirLight_Diff.rgb * sun);
    gl_Position = world * matViewProj;
}
@fragment
varying vec3 colour;
void main()
{
    gl_FragColor = vec4(colour, 1.0);
}
@end
)";

// ---- fixed-function techniques (_00) ----

const char* const FixedTechniques = R"(@technique techDirectLights fixed
@texture 0 texBaseMap1
@transform world matWorld
@end
@technique techMotionBlur fixed
@end
@technique techBumpMap fixed
@texture 0 texBaseMap1
@transform world matWorld
@end
@technique techBumpMapTX fixed
@texture 0 texBaseMap1
@transform world matWorld
@end
@technique techCloud fixed
@texture 0 texBaseMap1
@transform world matWorld
@end
@technique techOceanSurface fixed
@transform world matWorld
@end
)";

// A bump technique: its header, the sampler bindings of its body and the body with SCROLL
// (the texture drift per vecTime unit) filled in.
std::string BumpTechnique(const char* name, bool perPixel, const char* scroll)
{
    std::string text = std::string("@technique ") + name + " glsl\n@sampler texBaseMap1 0\n";
    if (perPixel)
        text += "@sampler texBumpMap 1\n";
    std::string body = perPixel ? BumpVertex : VertexLitBump;
    for (std::size_t at = body.find("SCROLL"); at != std::string::npos; at = body.find("SCROLL", at))
        body.replace(at, 6, scroll);
    return text + body;
}

std::string TechniqueFileText(Level level)
{
    std::string text = Parameters;
    if (level == Level00)
        return text + FixedTechniques;
    text += Common;
    text += DirectLights;
    text += MotionBlur;
    const bool perPixel = level == Level20;
    text += BumpTechnique("techBumpMap", perPixel, "vec2(0.0)");
    text += BumpTechnique("techBumpMapTX", perPixel, "vec2(1.0, 0.0)");
    text += level == Level11 ? CloudSimple : CloudFull;
    text += perPixel ? OceanFull : OceanSimple;
    return text;
}

void GenerateTechniques(AssetSink& sink)
{
    const struct {
        Level level;
        const char* name;
    } files[] = {{Level00, "Data/Misc/RenderTechniques_00.dat"},
                 {Level11, "Data/Misc/RenderTechniques_11.dat"},
                 {Level14, "Data/Misc/RenderTechniques_14.dat"},
                 {Level20, "Data/Misc/RenderTechniques_20.dat"}};
    for (const auto& file : files) {
        const std::string text = TechniqueFileText(file.level);
        sink.Add(file.name, Pack::World, std::vector<std::uint8_t>(text.begin(), text.end()));
    }
}

const GeneratorRegistration registration("techniques", GenerateTechniques);

} // namespace
