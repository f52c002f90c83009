// A map as the server reads it and checks it before trusting it. An input
// that is a JSON object is a map.json: it either fails to read or gives a
// map whose check answers without fault and whose JSON form reads back into
// the same map. Any other input is an uploaded index, inflated under the
// bound of the largest picture.

#include "fuzzcheck.h"
#include "indexcodec.h"
#include "mapdata.h"
#include "outgoing.h"

#include <QJsonDocument>

#include <cstdint>

constexpr qsizetype IndexBound = qsizetype(780) * 400 * 4;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject()) {
        if (const std::optional<QByteArray> raw = IndexCodec::inflateBounded(bytes, IndexBound))
            FUZZ_CHECK(raw->size() <= IndexBound);
        return 0;
    }
    QString error;
    std::optional<MapData> map = MapData::fromJson(document.object(), &error);
    if (!map) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    const std::optional<MapData> again = MapData::fromJson(map->toJson(), nullptr);
    FUZZ_CHECK(again);
    FUZZ_CHECK(again->toJson() == map->toJson());

    map->validate();
    outgoing::mapTransfer(*map);
    return 0;
}
