#include "WorldMapWriter.h"

#include <fstream>

namespace testsupport {

namespace {

template <class Spec>
void PutRecords(ByteWriter& out, const std::vector<Spec>& records, int version)
{
    out.I32(static_cast<std::int32_t>(records.size()));
    for (const Spec& record : records) {
        WriteRecord(out, record, version);
    }
}

}  // namespace

void WriteRecord(ByteWriter& out, const WorldChipSpec& chip, int)
{
    out.I32(3).I32(chip.chipValue).I32(chip.block).I32(chip.image);
    out.I32(2).RecordString(chip.memo).RecordString(chip.name);
}

void WriteRecord(ByteWriter& out, const WorldStageSpec& e, int version)
{
    const bool needScore = version > 208;
    out.I32(needScore ? 11 : 10);
    out.I32(e.kind).I32(e.icon).I32(e.stageNo).I32(e.passable).I32(e.replay).I32(e.afterClear);
    out.I32(e.needStage).I32(e.condVar).I32(e.condValue).I32(e.condOp);
    if (needScore) {
        out.I32(e.needScore);
    }
    out.I32(2).RecordString(e.title).RecordString(e.file);
}

void WriteRecord(ByteWriter& out, const WorldNodeSpec& node, int version)
{
    out.I32(2).I32(node.x).I32(node.y);
    out.I32(1).RecordString(node.name);
    PutRecords(out, node.entries, version);
}

ByteWriter WorldMapFile(const WorldMapSpec& s, int version)
{
    ByteWriter out;
    out.I32(version);
    out.I32(8).I32(s.width).I32(s.height).I32(s.pitch).I32(s.pitchShift);
    out.I32(s.startX).I32(s.startY).I32(s.backColor).I32(s.backBitmap);
    out.I32(2).RecordString(s.name).RecordString(s.backBitmapName);
    PutRecords(out, s.chips, version);
    out.I32(static_cast<std::int32_t>(s.cells.size()));
    for (std::int32_t cell : s.cells) {
        out.I32(cell);
    }
    PutRecords(out, s.nodes, version);
    PutRecords(out, s.nodeTemplates, version);
    return out;
}

void WriteWorldMapFile(const std::filesystem::path& root, const WorldMapSpec& spec, int version)
{
    std::filesystem::create_directories(root / "data");
    const ByteWriter bytes = WorldMapFile(spec, version);
    std::ofstream out(root / "data" / "WorldMap.dat", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.Data().data()), static_cast<std::streamsize>(bytes.Size()));
}

}  // namespace testsupport
