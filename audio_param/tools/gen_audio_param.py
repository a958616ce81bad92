#!/usr/bin/env python3
"""Writes a large synthetic audio parameter set of the shipped set's shape: the
29 audio types the library knows (the UI types among them), each with a
description and a data file, for tests and benchmarks.

  gen_audio_param.py OUTDIR [--units N] [--seed S]

Each type gets three category types (band, profile, volume index), a handful of
array and scalar parameters with bit fields, N parameter units (default 400)
and one tree entry per category combination (3 x 8 x 16 = 384, plus partial
paths), so the whole set holds thousands of units and tree entries.
"""
import argparse
import os
import random

TYPES = [
    "AudioCommonSetting", "PlaybackACF", "Playback", "PlaybackDRC", "PlaybackHCF", "PlaybackVolAna",
    "PlaybackVolDigi", "PlaybackVolUI", "Record", "RecordDMNR", "RecordFIR", "RecordUI", "RecordVol",
    "RecordVolUI", "Speech", "SpeechDMNR", "SpeechGeneral", "SpeechMagiClarity", "SpeechUI", "SpeechVol",
    "SpeechVolUI", "VoIP", "VoIPDMNR", "VoIPGeneral", "VoIPUI", "VoIPVol", "VoIPVolUI", "Volume",
    "VolumeGainMap",
]
BANDS = ["NB", "WB", "SWB"]
PROFILES = ["Normal", "Headset", "Handsfree", "BT_Earphone", "Headset_5pole", "Lpbk_Handset",
            "Lpbk_Headset", "Usb_Headset"]
VOLUMES = [str(i) for i in range(16)]
PARAMS = [("mode_para", "ushort_array", 48), ("in_fir", "short_array", 90), ("out_fir", "short_array", 90),
          ("iir_coef", "int_array", 40), ("gain_map", "ubyte_array", 32), ("ul_gain", "int", 0),
          ("dl_gain", "uint", 0), ("noise_floor", "float", 0)]


def description(name):
    out = ['<?xml version="1.0" encoding="UTF-8"?>', f'<ParamUnitDesc version="1.0" tab_name="{name}">',
           "   <CategoryTypeList>"]
    for ctype, cats in (("Band", BANDS), ("Profile", PROFILES), ("VolIndex", VOLUMES)):
        out.append(f'      <CategoryType name="{ctype}" wording="{ctype}">')
        out += [f'         <Category name="{c}" wording="{c}"/>' for c in cats]
        out.append("      </CategoryType>")
    out += ["   </CategoryTypeList>", "   <ParamUnit>"]
    for pname, ptype, _ in PARAMS:
        if ptype.endswith("_array"):
            out.append(f'      <Param name="{pname}" type="{ptype}">')
            for i in range(4):
                out.append(f'         <Field name="{pname}_f{i}" array_index="{i}" bit="0,7" '
                           f'check_list="0,off,1,on"/>')
            out.append("      </Param>")
        else:
            out.append(f'      <Param name="{pname}" type="{ptype}"/>')
    out += ["   </ParamUnit>", "</ParamUnitDesc>", ""]
    return "\n".join(out)


def value(rng, ptype, count):
    if ptype == "float":
        return f"{rng.uniform(-90, 0):.2f}"
    if ptype in ("int", "uint"):
        return str(rng.randint(0, 60))
    if ptype.startswith("u"):
        return ",".join(f"0x{rng.randint(0, 255):X}" for _ in range(count))
    return ",".join(str(rng.randint(-2000, 2000)) for _ in range(count))


def data(name, rng, units):
    out = ['<?xml version="1.0" encoding="UTF-8"?>', '<AudioParam version="1.0">', "   <ParamTree>"]
    for b in BANDS:
        out.append(f'      <Param path="{b}" param_id="{rng.randrange(units)}"/>')
        for p in PROFILES:
            out.append(f'      <Param path="{b},{p}" param_id="{rng.randrange(units)}"/>')
            for v in VOLUMES:
                out.append(f'      <Param path="{b},{p},{v}" param_id="{rng.randrange(units)}"/>')
    out += ["   </ParamTree>", "   <ParamUnitPool>"]
    for pid in range(units):
        out.append(f'      <ParamUnit param_id="{pid}">')
        for pname, ptype, count in PARAMS:
            out.append(f'         <Param name="{pname}" value="{value(rng, ptype, count)}"/>')
        out.append("      </ParamUnit>")
    out += ["   </ParamUnitPool>", "</AudioParam>", ""]
    return "\n".join(out)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("outdir")
    ap.add_argument("--units", type=int, default=400)
    ap.add_argument("--seed", type=int, default=2104)
    args = ap.parse_args()
    os.makedirs(args.outdir, exist_ok=True)
    rng = random.Random(args.seed)
    for name in TYPES:
        with open(os.path.join(args.outdir, name + "_ParamUnitDesc.xml"), "w") as f:
            f.write(description(name))
        with open(os.path.join(args.outdir, name + "_AudioParam.xml"), "w") as f:
            f.write(data(name, rng, args.units))


if __name__ == "__main__":
    main()
