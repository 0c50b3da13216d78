'use strict';
// Exports a log with the program's own routine, then reads the file back
// with adif-parser-ts, as another logger would.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const pinned = '0.7.7';
const installed = path.join(__dirname, 'node_modules', 'adif-parser-ts', 'package.json');
if (!fs.existsSync(installed)) {
  throw new Error(`adif-parser-ts is not installed in ${path.dirname(path.dirname(installed))}: ` +
                  'run scripts/setup (npm ci --prefix tests/interop)');
}
const version = JSON.parse(fs.readFileSync(installed, 'utf8')).version;
if (version !== pinned) {
  throw new Error(`adif-parser-ts ${version} is installed, ${pinned} expected: run scripts/setup`);
}
const { AdifParser } = require('adif-parser-ts');

const writer = process.env.VQX_ADIF_WRITER;
if (!writer) {
  throw new Error('VQX_ADIF_WRITER must name the interop_adif_writer program (run through ctest)');
}

const fields = ['call', 'state', 'name', 'sig', 'qso_date', 'time_on', 'mode', 'band',
                'rst_rcvd', 'rst_sent', 'sig_info', 'qsl_rcvd'];

// What the writer's log must give, contact by contact.
const expected = [
  ['F1AAA', '01', 'HÉLÈNE', '01FA001', '19991231', '2359', 'CW', '160m', '599', '599',
   'F. DU CHÂTEAU', 'Y'],
  ['F2BBB/P', '2a', '', '2AFT002', '20000101', '0000', 'SSB', '80m', '59', '59',
   'F. DE LA PLACE', 'N'],
  ['F3CCC', '31', 'JEAN', '31FA003', '20080605', '1432', 'SSB', '40m', '59', '59', '', 'Y'],
  ['F4DDD', '75', 'MARC', '75FT004', '20210715', '0805', 'CW', '30m', '599', '599',
   'F. WALLACE', 'N'],
  ['F5EEE', '13', 'ANNE', '13FA005', '20210716', '0910', 'SSB', '20m', '59', '59',
   'F. DES QUATRE DAUPHINS', 'Y'],
  ['F6FFF', '69', 'PAUL', '69FA006', '20210717', '1015', 'CW', '17m', '599', '599',
   'F. BARTHOLDI', 'Y'],
  ['F8GGG', '2b', 'LUC', '2BFA007', '20210718', '1120', 'SSB', '15m', '59', '59',
   'F. DU LION', 'N'],
  ['F1HHH', '33', 'EMMA', '33FT008', '20210719', '1225', 'CW', '12m', '599', '599',
   'F. DES TROIS GRACES', 'Y'],
  ['F4III', '06', 'LEA', '06FA009', '20210720', '1330', 'SSB', '10m', '59', '59',
   'F. DU PAILLON', 'N'],
  ['F5JJJ', '67', 'HUGO', '67FA010', '20210721', '1435', 'SSB', '6m', '59', '59',
   'F. DE LA MARNE', 'Y'],
  ['F6KKK', '95', 'ZOE', '95FT011', '20210722', '1540', 'FM', '2m', '59', '59',
   'F. DU LAVOIR', 'N'],
  ['F8LLL', '59', 'NOEL', '59FA012', '20210723', '1645', 'FM', '70cm', '59', '59',
   'F. AMEDEE', 'Y'],
].map((values) => Object.fromEntries(fields.map((f, i) => [f, values[i]])));

function exportLog() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vqx-adif-'));
  try {
    execFileSync(writer, [dir], { stdio: ['ignore', 'ignore', 'inherit'] });
    return [fs.readFileSync(path.join(dir, 'F8TEST_P_VQX.adi')),
            fs.readFileSync(path.join(dir, 'F8TEST_P_VQX_standard.adi'))];
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

const [bytes, standardBytes] = exportLog();
const text = new TextDecoder('windows-1252', { fatal: true }).decode(bytes);

test('every line ends with CR LF', () => {
  assert.ok(text.endsWith('\r\n'));
  assert.equal(text.split('\n').filter((l, i, all) => i < all.length - 1 && !l.endsWith('\r'))
                 .length, 0);
});

test('accented letters are single Windows-1252 bytes', () => {
  assert.ok(bytes.includes(Buffer.from('<NAME:6>H\xC9L\xC8NE <', 'latin1')));
  assert.ok(bytes.includes(Buffer.from('<SIG_INFO:13>F. DU CH\xC2TEAU <', 'latin1')));
});

test('the header is free text without fields', () => {
  const parsed = AdifParser.parseAdi(text);
  assert.deepEqual(Object.keys(parsed.header), ['text']);
  assert.equal(parsed.header.text.split('\r\n')[0],
               'Exportation du log de la station F8TEST/P au format ADIF');
});

test('every record has exactly the twelve fields with the expected values', () => {
  const { records } = AdifParser.parseAdi(text);
  assert.equal(records.length, expected.length);
  records.forEach((record, i) => {
    assert.deepEqual(Object.keys(record), fields, `record ${i + 1}`);
    assert.deepEqual(record, expected[i], `record ${i + 1}`);
  });
});

// --- The standard export, as other loggers expect it ----------------------

// ADIF 3.1.4, Band enumeration.
const adifBands = ['2190m', '630m', '560m', '160m', '80m', '60m', '40m', '30m', '20m', '17m',
                   '15m', '12m', '10m', '8m', '6m', '5m', '4m', '2m', '1.25m', '70cm', '33cm',
                   '23cm', '13cm', '9cm', '6cm', '3cm', '1.25cm', '6mm', '4mm', '2.5mm', '2mm',
                   '1mm', 'submm'];
// ADIF 3.1.4, Mode enumeration (values not marked import-only).
const adifModes = ['AM', 'ARDOP', 'ATV', 'CHIP', 'CLO', 'CONTESTI', 'CW', 'DIGITALVOICE', 'DOMINO',
                   'DYNAMIC', 'FAX', 'FM', 'FSK441', 'FT8', 'HELL', 'ISCAT', 'JT4', 'JT6M', 'JT9',
                   'JT44', 'JT65', 'MFSK', 'MSK144', 'MT63', 'OLIVIA', 'OPERA', 'PAC', 'PAX', 'PKT',
                   'PSK', 'PSK2K', 'Q15', 'QRA64', 'ROS', 'RTTY', 'RTTYM', 'SSB', 'SSTV', 'T10',
                   'THOR', 'THRB', 'TOR', 'V4', 'VOI', 'WINMOR', 'WSPR'];

// The same contacts in the standard export: ASCII names, the exact ones in
// the program's own fields, empty names left out.
const exactNames = {
  'HÉLÈNE': 'H&#201;L&#200;NE',
  'F. DU CHÂTEAU': 'F. DU CH&#194;TEAU',
};
const ascii = (text) => text.normalize('NFD').replace(/[\u0300-\u036f]/g, '');
const expectedStandard = expected.map((c) => {
  const r = { station_callsign: 'F8TEST/P', call: c.call, qso_date: c.qso_date,
              time_on: c.time_on, band: c.band, mode: c.mode, rst_sent: c.rst_sent,
              rst_rcvd: c.rst_rcvd };
  if (c.name) r.name = ascii(c.name);
  r.sig = 'VQX';
  r.sig_info = c.sig;
  if (c.sig_info) r.comment = ascii(c.sig_info);
  r.qsl_rcvd = c.qsl_rcvd;
  if (exactNames[c.name]) r.app_zat_vqx_name = exactNames[c.name];
  if (exactNames[c.sig_info]) r.app_zat_vqx_comment = exactNames[c.sig_info];
  return r;
});

const standardText = standardBytes.toString('latin1');

test('the standard export is ASCII text with CR LF line ends', () => {
  for (const b of standardBytes) {
    assert.ok((b >= 32 && b <= 126) || b === 13 || b === 10, `byte ${b}`);
  }
  assert.ok(standardText.endsWith('\r\n'));
  assert.equal(standardText.split('\n').filter((l, i, all) => i < all.length - 1 &&
                                                           !l.endsWith('\r')).length, 0);
});

test('the standard header names the version, the program and the time', () => {
  const { header } = AdifParser.parseAdi(standardText);
  assert.deepEqual(header, {
    text: 'Export ADIF standard du log de la station F8TEST/P',
    adif_ver: '3.1.4',
    programid: 'ZAT_VQX',
    programversion: '1.0.1',
    created_timestamp: '20210605 143210',
  });
});

test('every standard record has every field with the expected value', () => {
  const { records } = AdifParser.parseAdi(standardText);
  assert.equal(records.length, expectedStandard.length);
  records.forEach((record, i) => {
    assert.deepEqual(Object.keys(record), Object.keys(expectedStandard[i]), `record ${i + 1}`);
    assert.deepEqual(record, expectedStandard[i], `record ${i + 1}`);
  });
});

test('every BAND and MODE is a value of the ADIF enumerations', () => {
  const { records } = AdifParser.parseAdi(standardText);
  for (const r of records) {
    assert.ok(adifBands.includes(r.band), r.band);
    assert.ok(adifModes.includes(r.mode), r.mode);
  }
});
