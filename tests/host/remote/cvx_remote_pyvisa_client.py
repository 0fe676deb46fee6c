#!/usr/bin/python3
"""Drives the host's remote-control server with PyVISA's pure-Python backend, the way a lab
script would: identify, load a setup whose Compare tool holds a reference, inject faults into
the simulated analyzer, run, set the tool's options, execute, read the number of differences
and the first difference, save the setup again.

Usage: cvx_remote_pyvisa_client.py PORT SETUP_TO_LOAD SETUP_TO_SAVE
Prints "differences=N" and "sample=S" on success; exits 1 with the failed check otherwise.
"""

import sys
import xml.etree.ElementTree as ElementTree

import pyvisa


class CheckFailed(Exception):
    pass


def expect(condition, what):
    if not condition:
        raise CheckFailed(what)


def run(port, setup, saved):
    rm = pyvisa.ResourceManager('@py')
    inst = rm.open_resource(f'TCPIP::127.0.0.1::{port}::SOCKET',
                            read_termination='\n', write_termination='\n')
    inst.timeout = 20000

    def no_error(step):
        error = inst.query('SYSTem:ERRor?')
        expect(error == '0,"No error"', f'{step}: {error}')

    def block_query(command):
        return inst.query_binary_values(command, datatype='B', container=bytes)

    try:
        identity = inst.query('*IDN?').split(',')
        expect(len(identity) == 4 and identity[1] == 'cvx-compare', f'*IDN? answered {identity}')

        inst.write(f'SYSTem:SETup:LOAD "{setup}"')
        no_error('load the setup')
        tools = inst.query('TOOL:LIST?')
        expect(tools == '"Compare"', f'TOOL:LIST? answered {tools}')

        # Two bits of one sample go wrong: one difference row, two differing columns.
        inst.write('SOURce:OPTion "faults","flip:DATA8:120:3, flip:ADDR16:120:0"')
        inst.write('RUN')
        expect(inst.query('*OPC?') == '1', '*OPC? after RUN')
        no_error('run with faults')

        inst.write_binary_values('TOOL:OPTions "Compare",',
                                 b"<Window><Options MaxDifferences='0' Range='All' ReferenceOffset='0'/></Window>",
                                 datatype='B')
        no_error('set the options')
        options = ElementTree.fromstring(block_query('TOOL:VALue? "Compare","GetOptions"'))
        expect(options.tag == 'Options', f'GetOptions answered <{options.tag}>')
        expect(options.get('ReferenceOffset') == '0' and options.get('MaxDifferences') == '0',
               f'GetOptions answered {options.attrib}')
        expect('..' in options.get('Range', ''), f'the range names two markers: {options.attrib}')

        inst.write('TOOL:EXECute "Compare","Execute"')
        no_error('execute')
        count = int(inst.query('TOOL:VALue? "Compare","GetNumberOfDifferences"'))
        expect(count == 1, f'{count} differences')

        difference = ElementTree.fromstring(block_query('TOOL:DATA? "Compare","<GetDifference Index=\'0\'/>"'))
        expect(difference.tag == 'Differences', f'GetDifference answered <{difference.tag}>')
        sample = int(difference.get('Sample'))
        columns = {d.get('Name'): d for d in difference.findall('Difference')}
        for name in ('DATA8', 'ADDR16'):
            expect(name in columns, f'no Difference for {name}: {list(columns)}')
            expect(columns[name].get('Value') != columns[name].get('Reference'),
                   f'{name} does not differ: {columns[name].attrib}')
        expect(columns['DATA32'].get('Value') == columns['DATA32'].get('Reference'),
               f'DATA32 differs: {columns["DATA32"].attrib}')

        # An index beyond the differences answers nothing and queues an error.
        inst.write('TOOL:DATA? "Compare","<GetDifference Index=\'1\'/>"')
        expect(inst.query('SYSTem:ERRor?').startswith('-224,'), 'GetDifference beyond the differences')

        inst.write(f'SYSTem:SETup:SAVE "{saved}"')
        no_error('save the setup')
        print(f'differences={count}')
        print(f'sample={sample}')
    finally:
        inst.close()
        rm.close()


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        run(int(sys.argv[1]), sys.argv[2], sys.argv[3])
    except CheckFailed as failed:
        print(f'check failed: {failed}', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
