#!/usr/bin/env python3
"""Writes tools/renderer/blocks/bedrock_names_table.cpp: how a Bedrock world's block (its name and
states) and biome (its number) are drawn, as the Java block and biome the game converts them to,
from the Bedrock-to-Java block tables and the Bedrock biome lists of the npm package
minecraft-data. A Bedrock name whose Java name depends on its states gets one row per value of
the state that decides it (wool by colour, old stone by stone_type, ...), or of the two states
that do (joined by '|': old wood by its type and whether it is stripped).

Usage: python3 scripts/generate/bedrock_names.py <unpacked npm package minecraft-data>
  (npm pack minecraft-data@3.119.0 && tar xzf minecraft-data-*.tgz gives package/)
"""
import json
import os
import re
import sys
from collections import Counter, defaultdict

HERE = os.path.dirname(__file__)
OUT = os.path.join(HERE, '..', '..', 'tools', 'renderer', 'blocks', 'bedrock_names_table.cpp')
BIOME_TABLE = os.path.join(HERE, '..', '..', 'tools', 'renderer', 'blocks', 'biome_table.cpp')
BLOCK_TABLE = os.path.join(HERE, '..', '..', 'tools', 'renderer', 'blocks', 'block_names_table.cpp')

# Older tables first: a later version's conversion of the same block and states wins.
BLOCK_VERSIONS = ['1.18.0', '1.19.1', '1.20.0', '1.21.0', '1.21.111', '1.26.0', '1.26.30']
# Lists that give the game's own biome numbers (later lists number them alphabetically).
BIOME_VERSIONS = ['1.17.0', '1.18.0', '1.19.1', '1.20.0']
# Biomes the game numbered after those lists.
LATER_BIOMES = {192: 'cherry_grove', 193: 'pale_garden'}

# Bedrock biome names that Java calls otherwise.
BIOME_NAMES = {
    'bamboo_jungle_hills': 'bamboo_jungle', 'birch_forest_hills': 'birch_forest',
    'birch_forest_hills_mutated': 'old_growth_birch_forest', 'birch_forest_mutated': 'old_growth_birch_forest',
    'cold_beach': 'snowy_beach', 'cold_taiga': 'snowy_taiga', 'cold_taiga_hills': 'snowy_taiga',
    'cold_taiga_mutated': 'snowy_taiga', 'deep_warm_ocean': 'warm_ocean', 'desert_hills': 'desert',
    'desert_mutated': 'desert', 'extreme_hills': 'windswept_hills', 'extreme_hills_edge': 'windswept_hills',
    'extreme_hills_mutated': 'windswept_gravelly_hills', 'extreme_hills_plus_trees': 'windswept_forest',
    'extreme_hills_plus_trees_mutated': 'windswept_gravelly_hills', 'forest_hills': 'forest',
    'hell': 'nether_wastes', 'ice_mountains': 'snowy_plains', 'ice_plains': 'snowy_plains',
    'ice_plains_spikes': 'ice_spikes', 'jungle_edge': 'sparse_jungle', 'jungle_edge_mutated': 'sparse_jungle',
    'jungle_hills': 'jungle', 'jungle_mutated': 'jungle', 'legacy_frozen_ocean': 'frozen_ocean',
    'mega_taiga': 'old_growth_pine_taiga', 'mega_taiga_hills': 'old_growth_pine_taiga', 'mesa': 'badlands',
    'mesa_bryce': 'eroded_badlands', 'mesa_plateau': 'wooded_badlands', 'mesa_plateau_mutated': 'wooded_badlands',
    'mesa_plateau_stone': 'wooded_badlands', 'mesa_plateau_stone_mutated': 'wooded_badlands',
    'mushroom_island': 'mushroom_fields', 'mushroom_island_shore': 'mushroom_fields',
    'redwood_taiga_hills_mutated': 'old_growth_spruce_taiga', 'redwood_taiga_mutated': 'old_growth_spruce_taiga',
    'roofed_forest': 'dark_forest', 'roofed_forest_mutated': 'dark_forest', 'savanna_mutated': 'windswept_savanna',
    'savanna_plateau_mutated': 'windswept_savanna', 'soulsand_valley': 'soul_sand_valley',
    'stone_beach': 'stony_shore', 'swampland': 'swamp', 'swampland_mutated': 'swamp', 'taiga_hills': 'taiga',
    'taiga_mutated': 'taiga',
}

KEY = re.compile(r'^minecraft:([a-z0-9_.]+)\[(.*)\]$')


def parse(key):
    m = KEY.match(key)
    if not m:
        return None, None
    states = {}
    for part in filter(None, m.group(2).split(',')):
        k, _, v = part.partition('=')
        states[k] = v
    return m.group(1), states


def known_names(table):
    return set(re.findall(r'\{"([a-z0-9_]+)",', open(table).read()))


def block_rules(data):
    conversions = defaultdict(dict)  # bedrock name -> {states tuple: java name}
    for version in BLOCK_VERSIONS:
        path = os.path.join(data, 'bedrock', version, 'blocksB2J.json')
        if not os.path.exists(path):
            continue
        for bedrock, java in json.load(open(path)).items():
            name, states = parse(bedrock)
            java_name, _ = parse(java)
            if name and java_name:
                conversions[name][tuple(sorted(states.items()))] = java_name
    rules, undecided = [], []
    for name in sorted(conversions):
        table = conversions[name]
        javas = set(table.values())
        if len(javas) == 1:
            rules.append((name, '', '', javas.pop()))
            continue
        keys = sorted({k for states in table for k, _ in states})
        # One state that decides, else two (joined by '|', as their values are).
        candidates = [(k,) for k in keys] + [(a, b) for i, a in enumerate(keys) for b in keys[i + 1:]]
        decided = None
        for chosen in candidates:
            by_value = {}
            if all(by_value.setdefault('|'.join(dict(states).get(k, '') for k in chosen), java) == java
                   for states, java in table.items()):
                decided = ('|'.join(chosen), by_value)
                break
        if decided:
            key, by_value = decided
            for value in sorted(by_value):
                rules.append((name, key, value, by_value[value]))
        else:
            most = Counter(table.values()).most_common(1)[0][0]
            rules.append((name, '', '', most))
            undecided.append(name)
    return rules, undecided


def biome_rows(data, biomes):
    rows = dict(LATER_BIOMES)
    for version in BIOME_VERSIONS:
        path = os.path.join(data, 'bedrock', version, 'biomes.json')
        if os.path.exists(path):
            for b in json.load(open(path)):
                rows[b['id']] = b['name']
    out = []
    for number in sorted(rows):
        java = BIOME_NAMES.get(rows[number], rows[number])
        if java not in biomes:
            sys.exit(f'bedrock biome {rows[number]} ({number}) has no Java biome {java} in the table')
        out.append((number, java))
    return out


def main():
    data = os.path.join(sys.argv[1], 'minecraft-data', 'data')
    if not os.path.isdir(data):
        data = os.path.join(sys.argv[1], 'data')
    rules, undecided = block_rules(data)
    blocks = known_names(BLOCK_TABLE)
    drawn = sum(1 for r in rules if r[3] in blocks)
    biomes = biome_rows(data, known_names(BIOME_TABLE))
    with open(OUT, 'w') as out:
        out.write('// Generated by scripts/generate/bedrock_names.py; do not edit by hand.\n')
        out.write('// From the npm package minecraft-data (data/bedrock/<version>/blocksB2J.json and biomes.json),\n')
        out.write('// MIT licence, Copyright (c) 2015 PrismarineJS.\n')
        out.write('#include "renderer/blocks/bedrock_names.h"\n\nnamespace sgrender {\n\n')
        out.write('// Bedrock name, the state that decides (empty: none), its value, the Java name (sorted)\n')
        out.write('const BedrockName kBedrockNames[] = {\n')
        for name, key, value, java in rules:
            out.write(f'    {{"{name}", "{key}", "{value}", "{java}"}},\n')
        out.write('};\n\nconst size_t kBedrockNameCount = sizeof kBedrockNames / sizeof kBedrockNames[0];\n\n')
        out.write('// Bedrock biome number, the Java biome (sorted by number)\n')
        out.write('const BedrockBiome kBedrockBiomes[] = {\n')
        for number, java in biomes:
            out.write(f'    {{{number}, "{java}"}},\n')
        out.write('};\n\nconst size_t kBedrockBiomeCount = sizeof kBedrockBiomes / sizeof kBedrockBiomes[0];\n\n')
        out.write('}  // namespace sgrender\n')
    print(f'{len(rules)} rules for {len({r[0] for r in rules})} Bedrock names, {drawn} drawn by a known Java name; '
          f'{len(undecided)} names decided by their commonest conversion; {len(biomes)} biomes')


if __name__ == '__main__':
    main()
