#include "ConfSettings.h"

namespace rad {

ConfValues ConfValuesFrom(const RadlogSettings& s) {
    ConfValues v;
    v.autoStart = s.autoStart;
    v.csvFolder = s.csvFolder;
    v.rsdFolder = s.rsdFolder;
    v.csvSave = s.saveCsv;
    v.memo = s.memo;
    v.integFrom = s.integ.left;
    v.integTo = s.integ.right;
    v.csvFrom = s.csv.left;
    v.csvTo = s.csv.right;
    v.pitch = s.csv.pitch != 0 ? 1 : 0;
    v.merge = s.csv.merge;
    v.csvModel = s.csv.models;
    v.use = s.use;
    v.port = s.comPort;
    v.start = s.start;
    v.finish = s.end;
    v.interval = s.interval;
    return v;
}

void StoreConfValues(const ConfValues& v, RadlogSettings& s) {
    s.autoStart = v.autoStart;
    s.csvFolder = v.csvFolder;
    s.rsdFolder = v.rsdFolder;
    s.saveCsv = v.csvSave;
    s.memo = v.memo;
    s.integ.left = v.integFrom;
    s.integ.right = v.integTo;
    s.csv.left = v.csvFrom;
    s.csv.right = v.csvTo;
    s.csv.pitch = v.pitch;
    s.csv.merge = v.merge;
    s.csv.models = v.csvModel;
    s.use = v.use;
    s.comPort = v.port;
    s.start = v.start;
    s.end = v.finish;
    s.interval = v.interval;
}

}  // namespace rad
