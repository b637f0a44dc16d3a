#include "stage/PlayStateFile.h"

#include <cstdio>

#include "definitions/cEdStage.h"
#include "objects/StageObjects.h"
#include "objects/shot/cShot.h"
#include "platform/win/CodePage.h"
#include "platform/win/Files.h"
#include "project/cSaveData.h"
#include "stage/cSceneStage.h"

namespace {

const char* const kSceneNames[kSceneCount] = {"title", "worldmap", "worldmapmenu", "worldselect", "stage", "option"};

// A JSON string of a Shift-JIS text.
std::string JsonText(const std::string& sjis)
{
    const std::string utf8 = Cp932ToUtf8(sjis);
    std::string out = "\"";
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Shortest text that reads back as the same double.
std::string JsonNumber(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

const char* StateName(const cCharaBase& chara)
{
    if (chara.dying != 0) {
        return "dying";
    }
    if (chara.vanished != 0) {
        return "vanished";
    }
    return chara.active != 0 ? "active" : "inactive";
}

// The fields every object has, without the closing brace.
void AddCommon(std::string& out, const char* szKind, const cGameObject& object)
{
    if (out.back() == '}') {
        out += ", ";
    }
    out += "{\"kind\": \"";
    out += szKind;
    out += "\", \"number\": " + std::to_string(object.source);
    out += ", \"x\": " + JsonNumber(object.x) + ", \"y\": " + JsonNumber(object.y);
    out += ", \"vx\": " + JsonNumber(object.vx) + ", \"vy\": " + JsonNumber(object.vy);
    out += ", \"facing\": " + std::to_string(object.facing);
}

void AddObject(std::string& out, const char* szKind, const cCharaBase& chara)
{
    AddCommon(out, szKind, chara);
    out += ", \"hp\": " + std::to_string(chara.hp) + ", \"sp\": " + std::to_string(chara.sp);
    out += ", \"state\": \"";
    out += StateName(chara);
    out += "\"";
    // The Anime database entry on screen (-1: the character's own motion) and its step.
    const EXTRAANIME* shown = chara.ShownExtraAnime();
    out += ", \"anime\": " + std::to_string(shown != nullptr ? shown->number : -1);
    out += ", \"animeFrame\": " + std::to_string(shown != nullptr ? shown->anime.entry : chara.anime.entry);
    out += "}";
}

// An item, shot or sword: no HP, SP or state of its own.
void AddThing(std::string& out, const char* szKind, const cGameObject& object)
{
    AddCommon(out, szKind, object);
    out += "}";
}

}  // namespace

std::string PlayStateJson(int nScene)
{
    const bool bStage = lpSceneStage != nullptr;
    std::string out = "{\"screen\": ";
    out += nScene >= 0 && nScene < kSceneCount ? JsonText(kSceneNames[nScene]) : std::string("null");
    out += ", \"stageFile\": " + JsonText(Stage.m_strPath);
    out += ", \"frame\": " + std::to_string(bStage ? lpSceneStage->m_nFrame : 0);
    out += ", \"score\": " + std::to_string(SaveData.nTotalScore);
    out += ", \"lives\": " + std::to_string(SaveData.nLives);
    out += ", \"time\": " + (bStage ? std::to_string(lpSceneStage->m_nTime) : std::string("null"));
    out += ", \"objects\": [";
    if (bStage) {
        for (const cPlayer& player : Player) {
            AddObject(out, "player", player);
        }
        for (const cChara& chara : CharaList) {
            AddObject(out, "chara", chara);
        }
        for (const cItem& item : ItemList) {
            AddThing(out, "item", item);
        }
        for (const cShot& shot : lpSceneStage->m_ShotList) {
            AddThing(out, shot.isShot ? "shot" : "sword", shot);
        }
    }
    out += "]}\n";
    return out;
}

int WritePlayState(const char* szPath, int nScene)
{
    const std::string text = PlayStateJson(nScene);
    const std::string temporary = std::string(szPath) + ".tmp";
    FILE* fp = FOpen(temporary.c_str(), "wb");
    if (fp == nullptr) {
        return 0;
    }
    const bool bWritten = std::fwrite(text.data(), 1, text.size(), fp) == text.size();
    const bool bClosed = std::fclose(fp) == 0;
    if (!bWritten || !bClosed || !MoveFileReplaceA(temporary.c_str(), szPath)) {
        DeleteFileA(temporary.c_str());
        return 0;
    }
    return 1;
}
